#include "storage/text_file.h"

#include <cstdint>
#include <span>

#include "storage/file_read.h"
#include "storage/wording.h"

namespace rvm46::storage {

std::optional<std::string> ReadTextFile(const std::filesystem::path& file, std::size_t maxBytes,
                                        std::string* error, int language) {
    FileRead read = ReadRegularFile(file, maxBytes + 1);
    const auto fail = [&](const std::string& why) -> std::optional<std::string> {
        if (error) *error = why;
        return std::nullopt;
    };
    if (read.status == FileRead::Status::kMissing)
        return fail(Say(language, "no such file", "文件不存在"));
    if (read.status == FileRead::Status::kRefused) return fail(read.reason);
    if (read.size > maxBytes) {
        return fail(
            Say(language, "the file is too large to be a channel list", "文件太大，不是信道表"));
    }
    return std::move(read.bytes);
}

bool WriteTextFile(const std::filesystem::path& file, std::string_view text, std::string* error,
                   const KeepPrevious& keepPrevious) {
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text.data()),
                                              text.size());
    ReplaceOptions options;
    options.keepPrevious = keepPrevious;
    return ReplaceFile(file, bytes, options, error);
}

}  // namespace rvm46::storage
