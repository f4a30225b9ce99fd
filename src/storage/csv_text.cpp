#include "storage/csv_text.h"

#include "storage/text_encoding.h"

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

}  // namespace

std::optional<CsvTable> ParseCsv(std::string_view bytes, std::string* error) {
    const auto fail = [&](const std::string& why) -> std::optional<CsvTable> {
        if (error) *error = why;
        return std::nullopt;
    };
    if (bytes.size() > kMaxCsvBytes) return fail("the file is too large to be a channel list");
    if (bytes.substr(0, kBom.size()) == kBom) bytes.remove_prefix(kBom.size());
    std::string text = IsValidUtf8(bytes) ? std::string(bytes) : Gb18030ToUtf8(bytes);
    // Bytes that are text in neither encoding come back as replacement characters.
    if (LooksBinary(text) ||
        (!IsValidUtf8(bytes) && text.find("\xEF\xBF\xBD") != std::string::npos)) {
        return fail("the file is not a comma-separated text file");
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
        return fail("a quoted field that starts on line " + std::to_string(rowLine) +
                    " is never closed");
    }
    if (!field.empty() || !row.empty()) endRow();
    if (table.rows.empty()) return fail("the file is empty");
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
