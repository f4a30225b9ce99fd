#include "storage/job_folder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "storage/csv_text.h"
#include "storage/image_file.h"

namespace rvm46::storage {

namespace fs = std::filesystem;

namespace {

constexpr const char* kBom = "\xEF\xBB\xBF";

std::tm LocalTime(JobClock::time_point when) {
    const std::time_t t = JobClock::to_time_t(when);
    std::tm local{};
    localtime_r(&t, &local);
    return local;
}

std::string Format(JobClock::time_point when, const char* pattern) {
    const std::tm local = LocalTime(when);
    char text[64];
    std::strftime(text, sizeof text, pattern, &local);
    return text;
}

}  // namespace

std::string IsoLocalTime(JobClock::time_point when) {
    const std::tm local = LocalTime(when);
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
    const int east = static_cast<int>(local.tm_gmtoff / 60);  // minutes east of UTC
    const int minutes = east < 0 ? -east : east;
    char text[80];
    std::snprintf(text, sizeof text, "%s%c%02d:%02d", date, east < 0 ? '-' : '+', minutes / 60,
                  minutes % 60);
    return text;
}

std::string JobFolderName(JobClock::time_point when, bool window) {
    return window ? Format(when, "%Y%m%d_%H%M%S") : Format(when, "rvm46-job-%Y%m%d-%H%M%S");
}

std::optional<JobFolder> JobFolder::Create(const fs::path& folder, const CodeplugImage& image,
                                           std::string* error) {
    auto refuse = [&](const std::string& why) -> std::optional<JobFolder> {
        if (error) *error = "job folder " + folder.string() + ": " + why;
        return std::nullopt;
    };
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!fs::is_directory(folder, ec)) {
        return refuse(ec ? ec.message() : std::string("not a folder"));
    }
    if (fs::exists(folder / "log.csv", ec)) {
        return refuse("already holds a job (log.csv); choose another folder");
    }
    std::string reason;
    if (!WriteNewImageFile(folder / "template.Dat", image, &reason)) return refuse(reason);
    const std::string header = std::string(kBom) + kJobLogHeader + "\r\n";
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(header.data()),
                                              header.size());
    if (!ReplaceFile(folder / "log.csv", bytes, false, &reason)) return refuse(reason);
    return JobFolder(folder);
}

fs::path JobFolder::BackupPath(int radio) const {
    char name[32];
    std::snprintf(name, sizeof name, "radio-%03d.Dat", radio);
    return folder_ / name;
}

std::string JobFolder::SaveBackup(int radio, const CodeplugImage& image) const {
    std::string reason;
    if (WriteNewImageFile(BackupPath(radio), image, &reason)) return "";
    return reason.empty() ? "cannot write " + BackupPath(radio).string() : reason;
}

std::string JobFolder::AppendLog(const JobLogRow& row) const {
    const std::string line =
        CsvLine({std::to_string(row.radio), IsoLocalTime(row.started), IsoLocalTime(row.finished),
                 row.port, row.result, row.reason, row.modelBefore, row.backup});
    const fs::path log = folder_ / "log.csv";
    const int fd = ::open(log.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0) return "cannot open " + log.string() + ": " + std::strerror(errno);
    const char* data = line.data();
    std::size_t left = line.size();
    std::string failure;
    while (left > 0) {
        const ssize_t n = ::write(fd, data, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            failure = "cannot write " + log.string() + ": " + std::strerror(errno);
            break;
        }
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    if (failure.empty() && ::fsync(fd) != 0) {
        failure = "cannot flush " + log.string() + ": " + std::strerror(errno);
    }
    ::close(fd);
    return failure;
}

}  // namespace rvm46::storage
