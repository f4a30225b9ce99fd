#include "storage/kept_versions.h"

#include <algorithm>
#include <ctime>
#include <iomanip>
#include <sstream>
#include <system_error>
#include <vector>

#include "storage/file_read.h"

namespace rvm46::storage {

namespace fs = std::filesystem;

namespace {

// A data file or a channel list is far smaller; a copy of anything larger is not made.
constexpr std::uintmax_t kMaxKeptBytes = 64 * 1024 * 1024;
// "YYYYMMDD_HHMMSS"
constexpr std::size_t kStampLength = 15;

std::string Stamp(KeptClock::time_point when) {
    const std::time_t t = KeptClock::to_time_t(when);
    std::tm local{};
    localtime_r(&t, &local);
    std::ostringstream text;
    text << std::put_time(&local, "%Y%m%d_%H%M%S");
    return text.str();
}

bool Digits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The time in "NAME_YYYYMMDD_HHMMSS" (stem without its extension), nullopt when it has none.
std::optional<KeptClock::time_point> StampTime(std::string_view stem) {
    if (stem.size() < kStampLength + 2 || stem[stem.size() - kStampLength - 1] != '_') {
        return std::nullopt;
    }
    const std::string_view stamp = stem.substr(stem.size() - kStampLength);
    if (!Digits(stamp.substr(0, 8)) || stamp[8] != '_' || !Digits(stamp.substr(9))) {
        return std::nullopt;
    }
    std::tm local{};
    std::istringstream in{std::string(stamp)};
    in >> std::get_time(&local, "%Y%m%d_%H%M%S");
    if (in.fail()) return std::nullopt;
    local.tm_isdst = -1;
    const std::time_t t = std::mktime(&local);
    if (t == static_cast<std::time_t>(-1)) return std::nullopt;
    return KeptClock::from_time_t(t);
}

// The time a kept file's name carries ("NAME_YYYYMMDD_HHMMSS.EXT" or "..._HHMMSS_N.EXT").
std::optional<KeptClock::time_point> KeptTime(const fs::path& file) {
    const std::string stem = file.stem().string();
    if (auto time = StampTime(stem)) return time;
    const auto last = stem.rfind('_');
    if (last == std::string::npos || !Digits(std::string_view(stem).substr(last + 1))) {
        return std::nullopt;
    }
    return StampTime(std::string_view(stem).substr(0, last));
}

}  // namespace

std::optional<fs::path> KeepVersion(std::span<const std::uint8_t> bytes, const fs::path& folder,
                                    const std::string& stem, const std::string& extension,
                                    std::string* error, KeptClock::time_point when) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        if (error != nullptr)
            *error = "cannot make the folder " + folder.string() + ": " + ec.message();
        return std::nullopt;
    }
    const std::string base = stem + "_" + Stamp(when);
    fs::path file = folder / (base + extension);
    for (int n = 2; fs::exists(fs::symlink_status(file, ec)); ++n) {
        file = folder / (base + "_" + std::to_string(n) + extension);
    }
    if (!ReplaceFile(file, bytes, ReplaceOptions{}, error)) return std::nullopt;
    PruneKeptVersions(folder, when);
    return file;
}

KeepPrevious KeepPreviousIn(const fs::path& folder, const std::string& extension) {
    return [folder, extension](const fs::path& target, std::string* error) {
        const FileRead read = ReadRegularFile(target, kMaxKeptBytes);
        if (read.status != FileRead::Status::kRead || read.size > kMaxKeptBytes) {
            if (error != nullptr) {
                *error = "cannot read it (" +
                         (read.reason.empty() ? std::string("too large") : read.reason) + ")";
            }
            return false;
        }
        const std::span<const std::uint8_t> bytes(
            reinterpret_cast<const std::uint8_t*>(read.bytes.data()), read.bytes.size());
        return KeepVersion(bytes, folder, target.stem().string(), extension, error).has_value();
    };
}

std::size_t PruneKeptVersions(const fs::path& folder, KeptClock::time_point now,
                              const Retention& rule) {
    struct Kept {
        KeptClock::time_point time;
        fs::path path;
    };
    std::vector<Kept> kept;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec)) continue;
        if (const auto time = KeptTime(it->path())) kept.push_back({*time, it->path()});
    }
    if (kept.size() <= rule.keepNewest) return 0;
    std::sort(kept.begin(), kept.end(), [](const Kept& a, const Kept& b) {
        return a.time != b.time ? a.time > b.time : a.path > b.path;
    });
    std::size_t removed = 0;
    for (std::size_t i = rule.keepNewest; i < kept.size(); ++i) {
        if (now - kept[i].time > rule.keepYoungerThan && fs::remove(kept[i].path, ec)) ++removed;
    }
    return removed;
}

}  // namespace rvm46::storage
