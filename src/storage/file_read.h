#pragma once
// Reading the program's own files (data, configuration and tone list files). Only a regular file,
// or a symbolic link to one, is read: a FIFO would block the program and a device such as
// /dev/zero would be read as endless data, so anything else is refused before a byte is read.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace rvm46::storage {

struct FileRead {
    enum class Status { kRead, kMissing, kRefused };
    Status status = Status::kMissing;
    std::string bytes;        // at most maxBytes of the file, from its start
    std::uintmax_t size = 0;  // the file's whole size in bytes
    std::string reason;       // why it was refused, for a message: "is a FIFO, not a file"
};

// Opens the file without blocking, checks that it is a regular file and reads up to maxBytes.
// kMissing when there is no such file; kRefused (with a reason) when it is not a regular file or
// cannot be read.
FileRead ReadRegularFile(const std::filesystem::path& file, std::uintmax_t maxBytes);

// Empty when a new file may be written at this path (none there, or a regular file, or a link to
// one); otherwise the reason, as for ReadRegularFile.
std::string CheckWritableTarget(const std::filesystem::path& file);

}  // namespace rvm46::storage
