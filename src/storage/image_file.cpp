#include "storage/image_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>

namespace rvm46::storage {

std::optional<CodeplugImage> ReadImageFile(const std::filesystem::path& file, std::string* error) {
    std::error_code ec;
    if (std::filesystem::is_directory(file, ec)) {
        if (error) *error = "is a folder, not a data file";
        return std::nullopt;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        if (error) *error = std::strerror(errno);
        return std::nullopt;
    }
    CodeplugImage image{};
    in.read(reinterpret_cast<char*>(image.data()), static_cast<std::streamsize>(image.size()));
    if (in.bad()) {
        if (error) *error = "read error";
        return std::nullopt;
    }
    return image;
}

bool WriteNewImageFile(const std::filesystem::path& file, const CodeplugImage& image,
                       std::string* error) {
    std::filesystem::path temp = file;
    temp += ".part";
    bool ok = false;
    {
        std::FILE* out = std::fopen(temp.c_str(), "wb");
        if (out != nullptr) {
            ok = std::fwrite(image.data(), 1, image.size(), out) == image.size();
            ok = (std::fflush(out) == 0) && ok;
            ok = (std::fclose(out) == 0) && ok;
        }
        if (!ok && error) *error = std::strerror(errno);
    }
    if (ok) {
        std::error_code ec;
        std::filesystem::rename(temp, file, ec);
        if (ec) {
            ok = false;
            if (error) *error = ec.message();
        }
    }
    if (!ok) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
    }
    return ok;
}

}  // namespace rvm46::storage
