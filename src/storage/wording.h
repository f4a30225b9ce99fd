#pragma once
// Texts that files and lists give back to the user, in the interface language (1 Chinese,
// 2 English). The command line reads English; the window the language the user chose.

#include <string>
#include <string_view>

namespace rvm46::storage {

inline std::string Say(int language, std::string_view english, std::string_view chinese) {
    return std::string(language == 1 ? chinese : english);
}

// "row 5" / "第 5 行".
inline std::string RowName(int language, int row) {
    return language == 1 ? "第 " + std::to_string(row) + " 行" : "row " + std::to_string(row);
}

}  // namespace rvm46::storage
