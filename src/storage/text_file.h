#pragma once
// Whole text files of bounded size (channel lists): read at once, written through a temporary
// file that replaces the target, so a failed write leaves the old file whole.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "storage/file_replace.h"

namespace rvm46::storage {

// The file's bytes; nullopt (with a reason, in `language` where it is our own) when it cannot be
// read or is larger than maxBytes.
std::optional<std::string> ReadTextFile(const std::filesystem::path& file, std::size_t maxBytes,
                                        std::string* error, int language = 2);

// `keepPrevious` (when given) keeps an existing file's previous content first.
bool WriteTextFile(const std::filesystem::path& file, std::string_view text, std::string* error,
                   const KeepPrevious& keepPrevious = {});

}  // namespace rvm46::storage
