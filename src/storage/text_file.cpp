#include "storage/text_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>

namespace rvm46::storage {

std::optional<std::string> ReadTextFile(const std::filesystem::path& file, std::size_t maxBytes,
                                        std::string* error) {
    const auto fail = [&](const std::string& why) -> std::optional<std::string> {
        if (error) *error = why;
        return std::nullopt;
    };
    std::error_code ec;
    if (std::filesystem::is_directory(file, ec)) return fail("is a folder, not a file");
    std::ifstream in(file, std::ios::binary);
    if (!in) return fail(std::strerror(errno));
    std::string text;
    char buffer[4096];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (text.size() > maxBytes) return fail("the file is too large to be a channel list");
    }
    if (in.bad()) return fail("read error");
    return text;
}

bool WriteTextFile(const std::filesystem::path& file, std::string_view text, std::string* error) {
    std::filesystem::path temp = file;
    temp += ".part";
    bool ok = false;
    if (std::FILE* out = std::fopen(temp.c_str(), "wb")) {
        ok = std::fwrite(text.data(), 1, text.size(), out) == text.size();
        ok = std::fflush(out) == 0 && ok;
        ok = std::fclose(out) == 0 && ok;
    }
    if (!ok && error) *error = std::strerror(errno);
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
