#include "storage/text_file.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <span>
#include <system_error>

#include "storage/image_file.h"

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
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text.data()),
                                              text.size());
    return ReplaceFile(file, bytes, false, error);
}

}  // namespace rvm46::storage
