#include "storage/file_replace.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <system_error>

#include "storage/file_read.h"

namespace rvm46::storage {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTemporaryPrefix = ".rvm46-";
constexpr std::string_view kTemporarySuffix = ".tmp";
constexpr std::string_view kOlderTemporaryMark = ".saving-";
// Older than this, a temporary of ours is left over whatever its process id says.
constexpr auto kStaleAge = std::chrono::hours(24);

void SetError(std::string* error, const std::string& reason) {
    if (error != nullptr) *error = reason;
}

std::string ErrnoText(const std::string& what, const fs::path& path, int code = errno) {
    return what + " " + path.string() + ": " + std::strerror(code);
}

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size, off_t offset) {
    while (size > 0) {
        const ssize_t written = ::pwrite(fd, data, size, offset);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        offset += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// Copies what the old file holds from `offset` on to `fd` at the same offset. A file that cannot
// be read fails: its tail would otherwise be lost.
bool CopyTail(const fs::path& old, off_t offset, int fd) {
    const int in = ::open(old.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (in < 0) return false;
    std::array<std::uint8_t, 65536> buffer{};
    bool ok = true;
    for (;;) {
        const ssize_t got = ::pread(in, buffer.data(), buffer.size(), offset);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        if (!WriteAll(fd, buffer.data(), static_cast<std::size_t>(got), offset)) {
            ok = false;
            break;
        }
        offset += got;
    }
    const int saved = errno;
    ::close(in);
    errno = saved;
    return ok;
}

// The folder's entry of the rename is made durable too; a folder that cannot be synced (some
// file systems) does not make the save a failure.
void SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Follows a chain of symbolic links to the name they end at, which need not exist.
fs::path ResolveLinks(const fs::path& file) {
    fs::path path = file;
    std::error_code ec;
    for (int hops = 0; hops < 40 && fs::is_symlink(path, ec); ++hops) {
        const fs::path to = fs::read_symlink(path, ec);
        if (ec) break;
        path = (to.is_absolute() ? to : path.parent_path() / to).lexically_normal();
    }
    return path;
}

// A short name beside the target, so that names up to the file system's limit can be saved.
int CreateTemporary(const fs::path& folder, fs::path& temporary) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name(kTemporaryPrefix);
        name += std::to_string(::getpid());
        name += '-';
        name += std::to_string(++counter);
        name += kTemporarySuffix;
        temporary = folder / name;
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool AllDigits(std::string_view text) {
    if (text.empty()) return false;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// The process id of one of our temporary names: "PID-N" at the given place.
long TemporaryProcess(std::string_view pidAndCounter) {
    const auto dash = pidAndCounter.find('-');
    if (dash == std::string_view::npos) return -1;
    const std::string_view pid = pidAndCounter.substr(0, dash);
    if (!AllDigits(pid) || pid.size() > 9 || !AllDigits(pidAndCounter.substr(dash + 1))) return -1;
    return std::stol(std::string(pid));
}

long ProcessOfTemporary(const std::string& name) {
    const std::string_view n(name);
    if (n.starts_with(kTemporaryPrefix) && n.ends_with(kTemporarySuffix)) {
        return TemporaryProcess(n.substr(
            kTemporaryPrefix.size(), n.size() - kTemporaryPrefix.size() - kTemporarySuffix.size()));
    }
    const auto mark = n.rfind(kOlderTemporaryMark);
    if (n.starts_with('.') && mark != std::string_view::npos && mark > 1) {
        return TemporaryProcess(n.substr(mark + kOlderTemporaryMark.size()));
    }
    return -1;
}

bool ProcessRuns(long pid) {
    return pid == ::getpid() || ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

bool HasAccessAcl(const fs::path& file) {
    return ::getxattr(file.c_str(), "system.posix_acl_access", nullptr, 0) >= 0;
}

// What the target holds before the write.
struct OldFile {
    bool exists = false;
    struct stat info {};
    bool readable = false;
    std::string head;  // its first bytes, as many as the new head has
};

enum class Renamed { kDone, kFailed, kInPlace };

// The usual way: a complete new file renamed over the target. kInPlace when this folder or this
// file does not allow it (no new file may be made or renamed here, or the new file could not
// carry the old one's owner).
Renamed ReplaceByRename(const fs::path& target, std::span<const std::uint8_t> head,
                        const ReplaceOptions& options, const OldFile& old, std::string* error) {
    fs::path temporary;
    const int fd = CreateTemporary(target.parent_path(), temporary);
    if (fd < 0) {
        if (old.exists && (errno == EACCES || errno == EPERM)) return Renamed::kInPlace;
        SetError(error, ErrnoText("cannot create a file in", target.parent_path()));
        return Renamed::kFailed;
    }
    const auto abandon = [&](Renamed how, const std::string& reason) {
        ::close(fd);
        ::unlink(temporary.c_str());
        if (how == Renamed::kFailed) SetError(error, reason);
        return how;
    };
    if (!WriteAll(fd, head.data(), head.size(), 0)) {
        return abandon(Renamed::kFailed, ErrnoText("cannot write", temporary));
    }
    const auto headSize = static_cast<off_t>(head.size());
    if (options.keepTail && old.exists && old.info.st_size > headSize &&
        !CopyTail(target, headSize, fd)) {
        return abandon(Renamed::kFailed,
                       ErrnoText("cannot read the rest of", target) + " (nothing was changed)");
    }
    if (old.exists) {
        // The new file is theirs as the old one was; when it cannot be, the old one is rewritten.
        if ((old.info.st_uid != ::geteuid() || old.info.st_gid != ::getegid()) &&
            ::fchown(fd, old.info.st_uid, old.info.st_gid) != 0) {
            return abandon(Renamed::kInPlace, {});
        }
        ::fchmod(fd, old.info.st_mode & 07777);
    }
    if (::fsync(fd) != 0) return abandon(Renamed::kFailed, ErrnoText("cannot flush", temporary));
    if (::close(fd) != 0) {
        ::unlink(temporary.c_str());
        SetError(error, ErrnoText("cannot close", temporary));
        return Renamed::kFailed;
    }
    if (options.beforeReplace && !options.beforeReplace(temporary)) {
        ::unlink(temporary.c_str());
        SetError(error, "the save was interrupted before " + target.string() + " was replaced");
        return Renamed::kFailed;
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int code = errno;
        ::unlink(temporary.c_str());
        // Another user's file in a sticky folder such as /tmp.
        if (old.exists && (code == EPERM || code == EACCES)) return Renamed::kInPlace;
        SetError(error, ErrnoText("cannot replace", target, code));
        return Renamed::kFailed;
    }
    SyncFolder(target.parent_path());
    return Renamed::kDone;
}

// Writes over the target's own bytes; on a failure the old bytes and length are put back.
bool RewriteInPlace(const fs::path& target, std::span<const std::uint8_t> head, bool keepTail,
                    const OldFile& old, std::string* error) {
    if (!old.readable) {
        SetError(error, target.string() + " cannot be read, so it cannot be rewritten safely");
        return false;
    }
    const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        SetError(error, ErrnoText("cannot open", target));
        return false;
    }
    const auto headSize = static_cast<off_t>(head.size());
    bool ok = WriteAll(fd, head.data(), head.size(), 0);
    if (ok && !keepTail && old.info.st_size > headSize) ok = ::ftruncate(fd, headSize) == 0;
    if (ok) ok = ::fsync(fd) == 0;
    if (!ok) {
        const int code = errno;
        WriteAll(fd, reinterpret_cast<const std::uint8_t*>(old.head.data()), old.head.size(), 0);
        if (old.info.st_size < headSize && ::ftruncate(fd, old.info.st_size) != 0) {
            // The old bytes are back at the start; only the length could not be restored.
        }
        ::fsync(fd);
        SetError(error, ErrnoText("cannot write", target, code));
    }
    if (::close(fd) != 0 && ok) {
        SetError(error, ErrnoText("cannot close", target));
        return false;
    }
    return ok;
}

}  // namespace

bool IsOwnTemporaryName(const std::string& name) {
    return ProcessOfTemporary(name) >= 0;
}

int RemoveStaleTemporaries(const fs::path& folder) {
    int removed = 0;
    std::error_code ec;
    const auto now = fs::file_time_type::clock::now();
    for (fs::directory_iterator it(folder.empty() ? "." : folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const long pid = ProcessOfTemporary(name);
        if (pid < 0 || !it->is_regular_file(ec)) continue;
        const auto written = it->last_write_time(ec);
        const bool old = !ec && now - written > kStaleAge;
        if ((old || !ProcessRuns(pid)) && fs::remove(it->path(), ec)) ++removed;
    }
    return removed;
}

bool ReplaceFile(const fs::path& file, std::span<const std::uint8_t> head,
                 const ReplaceOptions& options, std::string* error) {
    // Through a link, the file it names is written and the link stays.
    const fs::path target = ResolveLinks(file);
    // Only a regular file is replaced: renaming over a device or a FIFO would remove it.
    if (const std::string refused = CheckWritableTarget(target); !refused.empty()) {
        SetError(error, target.string() + " " + refused);
        return false;
    }
    OldFile old;
    old.exists = ::stat(target.c_str(), &old.info) == 0;
    if (old.exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        SetError(error, ErrnoText("may not write", target) + " (it was left as it is)");
        return false;
    }
    if (old.exists) {
        const FileRead read = ReadRegularFile(target, head.size());
        old.readable = read.status == FileRead::Status::kRead;
        old.head = read.bytes;
    }
    const std::string_view newHead(reinterpret_cast<const char*>(head.data()), head.size());
    const bool unchanged =
        old.readable && old.head == newHead &&
        (options.keepTail || old.info.st_size == static_cast<off_t>(head.size()));
    if (old.exists && !unchanged && options.keepPrevious) {
        std::string reason;
        if (!options.keepPrevious(target, &reason)) {
            SetError(error, "the previous content of " + target.string() +
                                " could not be kept, so it was not replaced: " + reason);
            return false;
        }
    }
    RemoveStaleTemporaries(target.parent_path());
    const bool inPlace = old.exists && (old.info.st_nlink > 1 || HasAccessAcl(target));
    if (!inPlace) {
        const Renamed renamed = ReplaceByRename(target, head, options, old, error);
        if (renamed != Renamed::kInPlace) return renamed == Renamed::kDone;
    }
    return RewriteInPlace(target, head, options.keepTail, old, error);
}

bool ReplaceFile(const fs::path& file, std::span<const std::uint8_t> head, bool keepTail,
                 std::string* error, const BeforeReplace& beforeReplace) {
    ReplaceOptions options;
    options.keepTail = keepTail;
    options.beforeReplace = beforeReplace;
    return ReplaceFile(file, head, options, error);
}

}  // namespace rvm46::storage
