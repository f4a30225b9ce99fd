#pragma once
// The texts of the comparison window and of the channel sheet, in Simplified Chinese and in
// English. "%1" in a text stands for what the caller puts there.

#include <string>
#include <string_view>

namespace rvm46::ui {

// The text of `key` in `language` (1 Chinese, otherwise English); an unknown key throws
// std::out_of_range.
std::string ReviewText(std::string_view key, int language);

// ReviewText with "%1" replaced by `value`.
std::string ReviewText(std::string_view key, int language, const std::string& value);

}  // namespace rvm46::ui
