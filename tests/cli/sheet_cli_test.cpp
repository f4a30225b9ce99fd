// `rvm46 sheet`: the PDF's text layer holds every value of the sheet, in both languages, and its
// fonts travel with it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

#include "cli/cli_fixture.h"
#include "storage/delivered_tables.h"
#include "storage/image_file.h"
#include "ui/channel_sheet.h"

namespace rvm46 {
namespace {

class SheetCliTest : public testing::CliTest {
  protected:
    // What a command prints ("" when it fails).
    std::string Output(const std::string& command) {
        const std::string file = Path("output.txt");
        return std::system((command + " >'" + file + "'").c_str()) == 0 ? testing::FileBytes(file)
                                                                        : "";
    }
};

TEST_F(SheetCliTest, PdfHoldsEveryValueWithItsFontsInBothLanguages) {
    const std::string dat = Encode("shop.Dat");
    const CodeplugImage image = *storage::ReadImageFile(dat, nullptr);
    struct Case {
        const char* option;
        int language;
        std::vector<std::string> literal;  // what the page must say, whatever the layout code
        const char* font;
    };
    const std::vector<Case> cases = {
        {"en",
         2,
         {"Channel Sheet", "shop.Dat", "446.00625", "462.50000", "Yes", "300"},
         "Liberation"},
        {"zh", 1, {"信道表", "shop.Dat", "446.00625", "462.50000", "是", "整机设置"}, "WenQuanYi"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option);
        const std::string pdf = Path(std::string("sheet-") + c.option + ".pdf");
        ASSERT_EQ(Run({"sheet", "--language", c.option, dat, pdf}), 0) << err_.str();
        const std::string text = Output("pdftotext -enc UTF-8 '" + pdf + "' -");
        ASSERT_FALSE(text.empty()) << "pdftotext (poppler-utils) is needed";
        for (const std::string& literal : c.literal)
            EXPECT_THAT(text, ::testing::HasSubstr(literal));
        // Every cell and setting the sheet holds is on the page as text.
        ui::SheetSource source{.image = image, .fileName = "shop.Dat", .when = "", .program = ""};
        const ui::ChannelSheet sheet = ui::BuildChannelSheet(source, testing::DeliveredModels(),
                                                             testing::DeliveredTones(), c.language);
        for (const auto& row : sheet.rows) {
            for (const std::string& cell : row) EXPECT_THAT(text, ::testing::HasSubstr(cell));
        }
        for (const auto& [caption, value] : sheet.settings) {
            EXPECT_THAT(text, ::testing::HasSubstr(caption));
            EXPECT_THAT(text, ::testing::HasSubstr(value));
        }
        // One page, every font embedded, and the language's own face among them.
        EXPECT_THAT(Output("pdfinfo '" + pdf + "'"), ::testing::ContainsRegex("Pages: +1\n"));
        const std::string fonts = Output("pdffonts '" + pdf + "'");
        EXPECT_THAT(fonts, ::testing::HasSubstr(c.font));
        const std::regex line(R"(\s(yes|no)\s+(yes|no)\s+(yes|no)\s+\d+\s+\d+)");
        int embedded = 0;
        for (auto it = std::sregex_iterator(fonts.begin(), fonts.end(), line);
             it != std::sregex_iterator(); ++it) {
            EXPECT_EQ((*it)[1], "yes") << fonts;
            ++embedded;
        }
        EXPECT_GT(embedded, 0) << fonts;
    }
    // A data file that cannot be read writes nothing.
    EXPECT_EQ(Run({"sheet", Path("missing.Dat"), Path("none.pdf")}), 1);
    EXPECT_FALSE(std::filesystem::exists(Path("none.pdf")));
}

}  // namespace
}  // namespace rvm46
