#pragma once
// The texts of the programming station window, in Simplified Chinese and in English. "%1" and "%2"
// stand for the values put in.

#include <string>
#include <string_view>

namespace rvm46::ui {

// The text of `key` in `language` (1 Chinese, otherwise English); an unknown key is a programming
// fault (std::out_of_range).
std::string StationText(std::string_view key, int language);
// The text with %1 (and %2) replaced.
std::string StationText(std::string_view key, int language, const std::string& first,
                        const std::string& second = {});

}  // namespace rvm46::ui
