#include "storage/file_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace rvm46::storage {

namespace {

std::string KindOf(mode_t mode) {
    if (S_ISDIR(mode)) return "is a folder, not a file";
    if (S_ISFIFO(mode)) return "is a FIFO, not a file";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "is a device, not a file";
    if (S_ISSOCK(mode)) return "is a socket, not a file";
    return "is not a regular file";
}

}  // namespace

FileRead ReadRegularFile(const std::filesystem::path& file, std::uintmax_t maxBytes) {
    FileRead result;
    // O_NONBLOCK: opening a FIFO with no writer returns at once instead of waiting for one.
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return result;
        result.status = FileRead::Status::kRefused;
        result.reason = std::strerror(errno);
        return result;
    }
    struct stat info {};
    const bool statted = ::fstat(fd, &info) == 0;
    if (!statted || !S_ISREG(info.st_mode)) {
        result.status = FileRead::Status::kRefused;
        result.reason = statted ? KindOf(info.st_mode) : std::strerror(errno);
        ::close(fd);
        return result;
    }
    result.size = static_cast<std::uintmax_t>(info.st_size);
    const std::uintmax_t want = result.size < maxBytes ? result.size : maxBytes;
    result.bytes.resize(static_cast<std::size_t>(want));
    std::size_t done = 0;
    while (done < result.bytes.size()) {
        const ssize_t got = ::read(fd, result.bytes.data() + done, result.bytes.size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            result.status = FileRead::Status::kRefused;
            result.reason = std::strerror(errno);
            ::close(fd);
            return result;
        }
        if (got == 0) break;  // the file shrank while it was read
        done += static_cast<std::size_t>(got);
    }
    result.bytes.resize(done);
    ::close(fd);
    result.status = FileRead::Status::kRead;
    return result;
}

std::string CheckWritableTarget(const std::filesystem::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0)
        return {};  // nothing there (or unreachable: the write says)
    return S_ISREG(info.st_mode) ? std::string() : KindOf(info.st_mode);
}

}  // namespace rvm46::storage
