#include "storage/csv_text.h"

#include <algorithm>

#include "storage/text_encoding.h"
#include "storage/wording.h"

namespace rvm46::storage {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// The separator of the first line: the one of comma and semicolon that occurs more often outside
// quotes; comma when neither occurs.
char DetectSeparator(std::string_view text) {
    int commas = 0;
    int semicolons = 0;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\n') break;
        commas += c == ',';
        semicolons += c == ';';
    }
    return semicolons > commas ? ';' : ',';
}

// Control characters other than tab and line ends do not occur in text a spreadsheet writes.
bool LooksBinary(std::string_view text) {
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 && c != '\t' && c != '\r' && c != '\n') return true;
        if (u == 0x7F) return true;
    }
    return false;
}

// UTF-16 or UTF-32 text: a byte order mark, or ASCII with a zero byte beside every character.
bool LooksWide(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) return true;
    if (bytes.size() < 4) return false;
    std::size_t zeros = 0;
    const std::size_t n = std::min<std::size_t>(bytes.size(), 200);
    for (std::size_t i = 0; i < n; ++i) zeros += bytes[i] == '\0';
    return zeros * 3 >= n && zeros * 4 <= n * 3;  // between a third and three quarters
}

}  // namespace

std::optional<CsvTable> ParseCsv(std::string_view bytes, std::string* error, int language) {
    const auto fail = [&](std::string_view english,
                          std::string_view chinese) -> std::optional<CsvTable> {
        if (error) *error = Say(language, english, chinese);
        return std::nullopt;
    };
    const auto failEncoding = [&] {
        return fail(
            "the file is in a character encoding this program does not read; save it as UTF-8 "
            "(with or without byte order mark) or GB18030 (GBK) text",
            "文件的字符编码无法识别；请将文件另存为 UTF-8（带或不带 BOM）或 "
            "GB18030（GBK）编码的文本");
    };
    const auto notText = [&] {
        return fail("the file is not a comma-separated text file", "文件不是以逗号分隔的文本文件");
    };
    if (bytes.size() > kMaxCsvBytes) {
        return fail("the file is too large to be a channel list", "文件太大，不是信道表");
    }
    if (LooksWide(bytes)) return failEncoding();
    if (bytes.substr(0, kBom.size()) == kBom) bytes.remove_prefix(kBom.size());
    std::string text = IsValidUtf8(bytes) ? std::string(bytes) : Gb18030ToUtf8(bytes);
    if (LooksBinary(text)) return notText();
    // Bytes that are text in neither encoding come back as replacement characters: text in
    // another encoding when they are few, binary data when they are most of the file.
    if (!IsValidUtf8(bytes) && text.find("\xEF\xBF\xBD") != std::string::npos) {
        const auto high = std::count_if(bytes.begin(), bytes.end(), [](char c) {
            return static_cast<unsigned char>(c) >= 0x80;
        });
        return static_cast<std::size_t>(high) * 2 > bytes.size() ? notText() : failEncoding();
    }

    CsvTable table;
    table.separator = DetectSeparator(text);
    std::vector<std::string> row;
    std::string field;
    bool quoted = false;
    bool fieldStarted = false;
    int line = 1;
    int rowLine = 1;
    const auto endField = [&] {
        row.push_back(std::move(field));
        field.clear();
        fieldStarted = false;
    };
    const auto endRow = [&] {
        endField();
        table.rows.push_back(std::move(row));
        table.lines.push_back(rowLine);
        row.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                if (c == '\n') ++line;
                field += c;
            }
            continue;
        }
        if (c == '"' && !fieldStarted) {
            field.clear();  // blanks before the opening quote
            quoted = true;
            fieldStarted = true;
        } else if (c == table.separator) {
            endField();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        } else if (c == '\n' || c == '\r') {
            endRow();
            rowLine = ++line;
        } else {
            // A quote inside an unquoted field is kept as it is, as spreadsheets read it.
            if (c != ' ' && c != '\t') fieldStarted = true;
            field += c;
        }
    }
    if (quoted) {
        const std::string line = std::to_string(rowLine);
        return fail("a quoted field that starts on line " + line + " is never closed",
                    "从第 " + line + " 行开始的带引号字段没有结束引号");
    }
    if (!field.empty() || !row.empty()) endRow();
    if (table.rows.empty()) return fail("the file is empty", "文件是空的");
    return table;
}

std::string CsvLine(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += ',';
        const std::string& f = fields[i];
        const bool quote = f.find_first_of(",;\"\r\n") != std::string::npos ||
                           (!f.empty() && (f.front() == ' ' || f.back() == ' '));
        if (!quote) {
            line += f;
            continue;
        }
        line += '"';
        for (const char c : f) line += c == '"' ? std::string("\"\"") : std::string(1, c);
        line += '"';
    }
    return line + "\r\n";
}

}  // namespace rvm46::storage
