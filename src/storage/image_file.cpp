#include "storage/image_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

#include "storage/file_read.h"

namespace rvm46::storage {

namespace fs = std::filesystem;

namespace {

void SetError(std::string* error, const std::string& reason) {
    if (error != nullptr) *error = reason;
}

std::string ErrnoText(const std::string& what, const fs::path& path) {
    return what + " " + path.string() + ": " + std::strerror(errno);
}

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// Copies what the old file holds after `offset` to `fd`; an old file that is missing or shorter
// contributes nothing.
bool CopyTail(const fs::path& old, std::size_t offset, int fd) {
    std::ifstream in(old, std::ios::binary);
    if (!in) return true;
    in.seekg(static_cast<std::streamoff>(offset));
    if (!in) return true;
    std::array<char, 65536> buffer{};
    while (in) {
        in.read(buffer.data(), buffer.size());
        const auto got = static_cast<std::size_t>(in.gcount());
        if (got > 0 && !WriteAll(fd, reinterpret_cast<const std::uint8_t*>(buffer.data()), got)) {
            return false;
        }
    }
    return !in.bad();
}

// The folder's entry of the rename is made durable too; a folder that cannot be synced (some
// file systems) does not make the save a failure.
void SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// A name beside the target that no other file has: target name, process id and a counter.
int CreateTemporary(const fs::path& target, fs::path& temporary) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        // Appended in order: GCC 12 at -O3 warns falsely (-Wrestrict) on a literal prepended
        // to a temporary string.
        std::string name = ".";
        name += target.filename().string();
        name += ".saving-";
        name += std::to_string(::getpid());
        name += '-';
        name += std::to_string(++counter);
        temporary = target.parent_path() / name;
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace

std::optional<CodeplugImage> ReadImageFile(const fs::path& file, std::string* error,
                                           std::uintmax_t* fileSize) {
    CodeplugImage image{};
    const FileRead read = ReadRegularFile(file, image.size());
    if (read.status == FileRead::Status::kMissing) {
        errno = ENOENT;
        SetError(error, ErrnoText("cannot open", file));
        return std::nullopt;
    }
    if (read.status == FileRead::Status::kRefused) {
        SetError(error, file.string() + " " + read.reason);
        return std::nullopt;
    }
    std::copy(read.bytes.begin(), read.bytes.end(), image.begin());
    if (fileSize != nullptr) *fileSize = read.size;
    return image;
}

bool ReplaceFile(const fs::path& file, std::span<const std::uint8_t> head, bool keepTail,
                 std::string* error, const BeforeReplace& beforeReplace) {
    std::error_code ec;
    // Through a link, the file it names is replaced and the link stays.
    fs::path target = fs::is_symlink(file, ec) ? fs::weakly_canonical(file, ec) : file;
    if (ec) target = file;
    // Only a regular file is replaced: renaming over a device or a FIFO would remove it.
    if (const std::string refused = CheckWritableTarget(target); !refused.empty()) {
        SetError(error, target.string() + " " + refused);
        return false;
    }

    fs::path temporary;
    const int fd = CreateTemporary(target, temporary);
    if (fd < 0) {
        SetError(error, ErrnoText("cannot create a file in", target.parent_path()));
        return false;
    }
    bool ok = WriteAll(fd, head.data(), head.size());
    if (ok && keepTail) ok = CopyTail(target, head.size(), fd);
    // An existing file keeps its permissions.
    struct stat old {};
    if (ok && ::stat(target.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
    if (!ok) SetError(error, ErrnoText("cannot write", temporary));
    if (ok && ::fsync(fd) != 0) {
        SetError(error, ErrnoText("cannot flush", temporary));
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        SetError(error, ErrnoText("cannot close", temporary));
        ok = false;
    }
    if (ok && beforeReplace && !beforeReplace(temporary)) {
        SetError(error, "the save was interrupted before " + target.string() + " was replaced");
        ok = false;
    }
    if (ok && ::rename(temporary.c_str(), target.c_str()) != 0) {
        SetError(error, ErrnoText("cannot replace", target));
        ok = false;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolder(target.parent_path());
    return true;
}

bool WriteNewImageFile(const fs::path& file, const CodeplugImage& image, std::string* error) {
    return ReplaceFile(file, image, false, error);
}

bool SaveImageFile(const fs::path& file, const CodeplugImage& image, std::string* error) {
    return ReplaceFile(file, image, true, error);
}

}  // namespace rvm46::storage
