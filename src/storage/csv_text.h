#pragma once
// Comma-separated text as spreadsheets write it: UTF-8 with or without a byte order mark (or the
// Chinese code page), comma or semicolon between fields, fields in double quotes with "" for a
// quote inside, CRLF or LF line ends, line breaks inside quoted fields.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rvm46::storage {

// The largest file taken as a channel list: far beyond any real one, small enough to read whole.
inline constexpr std::size_t kMaxCsvBytes = 1 << 20;

struct CsvTable {
    std::vector<std::vector<std::string>> rows;  // row 0 is the header; fields UTF-8
    std::vector<int> lines;                      // line of the file on which each row starts
    char separator = ',';
};

// Splits the text into rows; nullopt with a reason in *error (in `language`: 1 Chinese, 2 English)
// when it is not comma-separated text (binary data, an encoding other than UTF-8 or GB18030, a
// quote left open, empty). The separator is the one the first line uses.
std::optional<CsvTable> ParseCsv(std::string_view bytes, std::string* error, int language = 2);

// One line of fields joined by commas and ended with CRLF; a field with a comma, quote, line break
// or surrounding blank is quoted.
std::string CsvLine(const std::vector<std::string>& fields);

}  // namespace rvm46::storage
