#include "storage/image_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "storage/file_read.h"

namespace rvm46::storage {

namespace fs = std::filesystem;

std::optional<CodeplugImage> ReadImageFile(const fs::path& file, std::string* error,
                                           std::uintmax_t* fileSize) {
    CodeplugImage image{};
    const FileRead read = ReadRegularFile(file, image.size());
    if (read.status == FileRead::Status::kMissing) {
        if (error != nullptr)
            *error = "cannot open " + file.string() + ": " + std::strerror(ENOENT);
        return std::nullopt;
    }
    if (read.status == FileRead::Status::kRefused) {
        if (error != nullptr) *error = file.string() + " " + read.reason;
        return std::nullopt;
    }
    std::copy(read.bytes.begin(), read.bytes.end(), image.begin());
    if (fileSize != nullptr) *fileSize = read.size;
    return image;
}

bool WriteNewImageFile(const fs::path& file, const CodeplugImage& image, std::string* error,
                       const KeepPrevious& keepPrevious) {
    ReplaceOptions options;
    options.keepPrevious = keepPrevious;
    return ReplaceFile(file, image, options, error);
}

bool SaveImageFile(const fs::path& file, const CodeplugImage& image, std::string* error,
                   const KeepPrevious& keepPrevious) {
    ReplaceOptions options;
    options.keepTail = true;
    options.keepPrevious = keepPrevious;
    return ReplaceFile(file, image, options, error);
}

}  // namespace rvm46::storage
