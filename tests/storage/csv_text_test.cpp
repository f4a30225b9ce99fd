// Comma-separated text as spreadsheets write it, and what is refused as not being such text.
#include "storage/csv_text.h"

#include <gtest/gtest.h>

#include "storage/text_file.h"
#include "support/temp_dir.h"

namespace rvm46::storage {
namespace {

using Rows = std::vector<std::vector<std::string>>;

TEST(CsvTextTest, ReadsTheDialectsSpreadsheetsWrite) {
    struct Case {
        const char* name;
        std::string bytes;
        Rows rows;
    };
    const std::vector<Case> cases = {
        {"plain LF", "a,b\n1,2\n", {{"a", "b"}, {"1", "2"}}},
        {"CRLF, no final line end", "a,b\r\n1,2", {{"a", "b"}, {"1", "2"}}},
        {"byte order mark", std::string("\xEF\xBB\xBF") + "a,b\n", {{"a", "b"}}},
        {"semicolons (a comma inside a field)", "a;b\n1,5;2\n", {{"a", "b"}, {"1,5", "2"}}},
        {"quotes, doubled quote, separator and line break inside",
         "a,b\n\"x,\"\"y\"\"\",\"two\r\nlines\"\n",
         {{"a", "b"}, {"x,\"y\"", "two\r\nlines"}}},
        {"blank before an opening quote", "a, \"b\"\n", {{"a", "b"}}},
        {"empty fields", ",,\n", {{"", "", ""}}},
        {"Chinese code page", "\xCA\xC7,\xB7\xF1\n", {{"是", "否"}}},
    };
    for (const Case& c : cases) {
        std::string error;
        const auto table = ParseCsv(c.bytes, &error);
        ASSERT_TRUE(table) << c.name << ": " << error;
        EXPECT_EQ(table->rows, c.rows) << c.name;
    }
}

TEST(CsvTextTest, RowsRememberTheLineTheyStartOn) {
    const auto table = ParseCsv("h\n\"a\nb\"\nc\n", nullptr);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->lines, (std::vector<int>{1, 2, 4}));
}

TEST(CsvTextTest, RefusesWhatIsNotCommaSeparatedText) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "empty"},
        {std::string("\x5A\x52\x54\x00\xFF\xFF", 6), "not a comma-separated text"},
        {"a,\"b\n1,2\n", "never closed"},
        {std::string(kMaxCsvBytes + 1, 'a'), "too large"},
    };
    for (const auto& [bytes, why] : cases) {
        std::string error;
        EXPECT_FALSE(ParseCsv(bytes, &error));
        EXPECT_NE(error.find(why), std::string::npos) << error;
    }
}

TEST(CsvTextTest, AFileOfExactlyTheLimitIsReadOneByteMoreIsNot) {
    const testing::TempDir dir;
    const std::string limit(kMaxCsvBytes, 'a');
    EXPECT_EQ(ReadTextFile(dir.Write("limit.csv", limit), kMaxCsvBytes, nullptr, 0), limit);
    std::string error;
    EXPECT_FALSE(ReadTextFile(dir.Write("over.csv", limit + "a"), kMaxCsvBytes, &error, 0));
    EXPECT_NE(error.find("too large"), std::string::npos) << error;
}

TEST(CsvTextTest, WrittenLinesReadBackFieldForField) {
    const std::vector<std::string> fields = {"plain", "a,b", "say \"hi\"", " padded", "x;y", ""};
    const auto table = ParseCsv(CsvLine(fields), nullptr);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->rows, Rows{fields});
    EXPECT_EQ(CsvLine({"1", "2"}), "1,2\r\n");
}

}  // namespace
}  // namespace rvm46::storage
