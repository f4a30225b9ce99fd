// The command line's file verbs driven as a user calls them: data files, JSON documents, channel
// lists and channel sheets in and out, and what each refusal says.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <nlohmann/json.hpp>
#include <regex>

#include "cli/cli_fixture.h"
#include "storage/delivered_tables.h"
#include "storage/image_file.h"
#include "ui/channel_sheet.h"

namespace rvm46 {
namespace {

using nlohmann::json;
using ::testing::HasSubstr;

class CliFilesTest : public testing::CliTest {
  protected:
    static json Document() { return json::parse(kDocument); }

    // What `decode` prints for the data file, parsed.
    json Decode(const std::string& dat) {
        EXPECT_EQ(Run({"decode", dat}), 0) << err_.str();
        return json::parse(out_.str());
    }

    // A file of the given length holding the start of an encoded codeplug.
    std::string WriteDataFile(std::size_t size) {
        std::string bytes(size, '\0');
        const CodeplugImage blank = BlankImage();
        std::copy_n(blank.begin(), std::min(size, blank.size()), bytes.begin());
        return dir_.Write("data" + std::to_string(size) + ".Dat", bytes).string();
    }

    // What a command prints ("" when it fails).
    std::string Output(const std::string& command) {
        const std::string file = Path("output.txt");
        return std::system((command + " >'" + file + "'").c_str()) == 0 ? testing::FileBytes(file)
                                                                        : "";
    }

    static constexpr const char* kOwnList =
        "Channel,RX MHz,TX MHz,Decode,Encode,Busy Lockout,Shift\n"
        "1,446.00625,446.00625,None,67.0,No,Yes\n"
        "4,446.01,,D023N,,Yes,No\n";
};

// Any number is a frequency: the channel-list rules speak up without refusing what decode could
// have printed, and one out of range is stored as 100 MHz.
TEST_F(CliFilesTest, EncodeThenDecodeGivesTheSameDocument) {
    json document = Document();
    document["channels"][3] = {{"rx", 1e300},      {"tx", -5},          {"decode_tone", 0},
                               {"encode_tone", 0}, {"busy_lockout", 0}, {"shift", 0}};
    Encode("out.Dat", document.dump());
    EXPECT_THAT(err_.str(), HasSubstr("warning: channel 4, rx"));
    EXPECT_THAT(err_.str(), HasSubstr("(stored as given)"));
    EXPECT_EQ(std::filesystem::file_size(Path("out.Dat")), 1074u);
    json decoded = Decode(Path("out.Dat"));
    EXPECT_EQ(decoded["model_code"], 81);  // the code of the third delivered model
    decoded.erase("model_code");
    document["channels"][3]["rx"] = document["channels"][3]["tx"] = 100.0;
    EXPECT_EQ(decoded, document);
    // Frequencies are written with five decimals.
    EXPECT_THAT(out_.str(), HasSubstr("\"rx\": 462.50000"));
}

TEST_F(CliFilesTest, NullSelectionsEncodeAsNoSelection) {
    json document = Document();
    for (const char* key : {"model", "beep_tone", "battery_save", "squelch", "monitor_key",
                            "time_out_timer", "wide_narrow"}) {
        document[key] = nullptr;
    }
    Encode("out.Dat", document.dump());
    const auto image = storage::ReadImageFile(Path("out.Dat"), nullptr);
    ASSERT_TRUE(image);
    EXPECT_EQ((*image)[1010], 0xFF);
    EXPECT_EQ((*image)[1011], 5);
    EXPECT_EQ((*image)[1028], 0xFF);     // no model: the model block stays blank
    EXPECT_EQ((*image)[66 + 12], 0xFB);  // no wide/narrow: flags left FBh
    const json decoded = Decode(Path("out.Dat"));
    EXPECT_TRUE(decoded["model"].is_null());
    EXPECT_EQ(decoded["squelch"], 5);
    EXPECT_EQ(decoded["channels"][0]["rx"], 446.00625);  // the channels without a model too
}

TEST_F(CliFilesTest, DecodeOfANeverProgrammedImageKeepsTheChannels) {
    CodeplugImage image;
    image.fill(0xFF);
    image[66 + 13] = image[66 + 14] = 0x01;
    image[66 + 12] = 0xF8;
    std::memcpy(&image[66], "\x25\x06\x60\x44", 4);  // receive 446.00625 MHz
    ASSERT_TRUE(storage::WriteNewImageFile(Path("blank.Dat"), image, nullptr));
    const json decoded = Decode(Path("blank.Dat"));
    EXPECT_TRUE(decoded["squelch"].is_null());
    EXPECT_TRUE(decoded["model"].is_null());
    EXPECT_EQ(decoded["wide_narrow"], 0);
    EXPECT_EQ(decoded["channels"][0]["rx"], 446.00625);
    EXPECT_TRUE(decoded["channels"][0]["tx"].is_null());
    EXPECT_TRUE(decoded["channels"][1].is_null());
}

TEST_F(CliFilesTest, BadDocumentsAreRefusedAndLeaveNoFile) {
    const auto refuse = [&](const std::string& text, const std::string& expected) {
        EXPECT_EQ(Run({"encode", dir_.Write("bad.json", text).string(), Path("out.Dat")}), 1)
            << text;
        EXPECT_THAT(err_.str(), HasSubstr(expected));
        EXPECT_FALSE(std::filesystem::exists(Path("out.Dat"))) << text;
    };
    refuse("{ not json", "malformed JSON");
    refuse("[1, 2]", "must be a JSON object");
    // Text the JSON reader would take wrongly: a number beyond a double (it threw past every
    // handler), a NUL byte (it ignored the rest), a key given twice (the last one won).
    refuse(R"({"model": 1e309})", "malformed JSON");
    refuse(Document().dump() + std::string("\0{", 2), "a NUL byte at offset");
    refuse(R"({"squelch": 1, "squelch": 2})", "\"squelch\" is given twice");
    refuse(R"({"channels": [{"rx": 1, "rx": 2}]})", "\"rx\" is given twice");
    // A JSON patch to the good document, and what the refusal says.
    const std::pair<const char*, const char*> patches[] = {
        {R"({"op": "replace", "path": "/squelch", "value": 10})",
         "\"squelch\" is 10, outside 0..9"},
        {R"({"op": "replace", "path": "/model", "value": 4})", "\"model\" is 4"},
        {R"({"op": "replace", "path": "/beep_tone", "value": "0"})", "must be a whole number"},
        {R"({"op": "remove", "path": "/channels/15"})", "15 entries, not 16"},
        {R"({"op": "replace", "path": "/channels/0/encode_tone", "value": 205})",
         "channel 1: \"encode_tone\" is 205"},
        {R"({"op": "replace", "path": "/channels/0/rx", "value": "446"})",
         "channel 1: \"rx\" must be a number"},
        {R"({"op": "remove", "path": "/channels/0/shift"})", "\"shift\" is missing"},
        {R"({"op": "add", "path": "/squelsh", "value": 1})", "unknown key \"squelsh\""},
        // -1 is the program's own "not set" mark, never a frequency in a document.
        {R"({"op": "replace", "path": "/channels/0/rx", "value": -1})", "use null for a channel"},
        {R"({"op": "replace", "path": "/channels/0/tx", "value": -1.0})",
         "use null for no transmit frequency"}};
    for (const auto& [patch, expected] : patches) {
        refuse(Document().patch(json::array({json::parse(patch)})).dump(), expected);
    }
}

// Every verb's refusals: the exit status, what it says, and no file left behind. Only regular
// files are read: a FIFO with no writer would block, a device would be read as data.
TEST_F(CliFilesTest, RefusalsGiveTheirStatusAndReasonAndWriteNothing) {
    ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0600), 0);
    const std::string data = WriteDataFile(1074);
    const std::string json = dir_.Write("in.json", kDocument).string();
    const std::string ini = dir_.Write("bad.ini", "[Model]\nModCnt=\x81\x20\n").string();
    dir_.Write("list.csv", kOwnList);
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"encode", Path("missing.json"), Path("x.Dat")}, 1, "cannot read"},
        {{"encode", json, Path("no/x.Dat")}, 1, "cannot write"},
        {{"encode", json, "/dev/null"}, 1, " not a file"},
        {{"decode", Path("missing.Dat")}, 1, "cannot read"},
        {{"decode", Path("pipe")}, 1, " not a file"},
        {{"decode", "/dev/zero"}, 1, " not a file"},
        {{"decode", "--config", Path("pipe"), data}, 1, " not a file"},
        {{"decode", "--tones", "/dev/null", data}, 1, " not a file"},
        // A named configuration that does not exist is an error, not a silent default.
        {{"decode", "--config", Path("none.ini"), data}, 1, "cannot be read"},
        {{"decode", "--config", ini, data}, 1, "is neither UTF-8, UTF-16 nor GB18030 text"},
        {{"frobnicate"}, 2, ""},
        {{"csv-import", "--model", "4", Path("list.csv"), Path("x.Dat")},
         1,
         "--model 4 is not a model of the configuration (0 4100, 1 4100-446, 2 5100, 3 5100-446)"},
        {{"csv-import", Path("missing.csv"), Path("x.Dat")}, 1, "cannot read"},
        {{"csv-import", Path("list.csv")}, 2, "csv-import takes IN.csv OUT.Dat, or --standard"},
        {{"csv-import", data, Path("x.Dat")}, 1, "not a comma-separated text file"},
        {{"csv-export", "--layout", "other", data, Path("x.csv")}, 2, ""},
        {{"csv-export", Path("missing.Dat"), Path("x.csv")}, 1, "cannot read"},
        {{"sheet", Path("missing.Dat"), Path("x.Dat")}, 1, "cannot read"},
        {{"diff", data}, 2, ""},
        {{"diff", data, Path("missing.Dat")}, 2, "cannot read"},
        {{"diff", data, data}, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        EXPECT_EQ(Run(c.args), c.status);
        EXPECT_THAT(err_.str(), HasSubstr(c.message));
        EXPECT_EQ(out_.str(), "");
    }
    EXPECT_FALSE(std::filesystem::exists(Path("x.Dat")));
    EXPECT_FALSE(std::filesystem::exists(Path("no")));
}

// Any file decodes, but one that is not a data file's length is reported.
TEST_F(CliFilesTest, DecodeWarnsOfAFileThatIsNotADataFilesLength) {
    const std::pair<std::size_t, const char*> cases[] = {
        {0,
         "is 0 bytes, shorter than a data file (1074 bytes); the missing bytes were read as 00h"},
        {1075, "is 1075 bytes, longer than a data file (1074 bytes); only its first 1074"},
        {1074, ""}};
    for (const auto& [size, warning] : cases) {
        EXPECT_EQ(Decode(WriteDataFile(size))["channels"].size(), 16u);
        EXPECT_EQ(err_.str().empty(), *warning == '\0');
        EXPECT_THAT(err_.str(), HasSubstr(warning));
    }
}

TEST_F(CliFilesTest, DatToCsvToDatKeepsTheCodeplug) {
    dir_.Write("list.csv", kOwnList);
    ASSERT_EQ(Run({"csv-import", "--model", "4100-446", Path("list.csv"), Path("a.Dat")}), 0)
        << err_.str();
    EXPECT_EQ(err_.str(), "rvm46: note: row 3, RX MHz \"446.01\": snapped to 446.00625\n");
    for (const char* layout : {"own", "generic"}) {
        ASSERT_EQ(Run({"csv-export", "--layout", layout, Path("a.Dat"), Path("b.csv")}), 0);
        ASSERT_EQ(Run({"csv-import", "--model", "1", Path("b.csv"), Path("b.Dat")}), 0);
        ASSERT_EQ(Run({"diff", Path("a.Dat"), Path("b.Dat")}), std::string(layout) == "own" ? 0 : 1)
            << layout;
    }
    // The generic layout has no busy lockout and shift columns.
    EXPECT_EQ(out_.str(), "channel 1: shift Yes -> No\nchannel 4: busy lockout Yes -> No\n");
}

TEST_F(CliFilesTest, ImportTakesTheConfigurationsModelAndDefaults) {
    dir_.Write("list.csv",
               "Channel,RX MHz,TX MHz,Decode,Encode,Busy Lockout,Shift\n"
               "1,446.00625,,,,,\n");
    ASSERT_EQ(Run({"csv-import", Path("list.csv"), Path("a.Dat")}), 0) << err_.str();
    const json a = Decode(Path("a.Dat"));
    EXPECT_EQ(a["model"], 1);  // Setting Model=1
    EXPECT_EQ(a["squelch"], 6);
    EXPECT_EQ(a["wide_narrow"], 1);
    // A generic list's Mode column decides over the configuration's narrow default.
    dir_.Write("generic.csv", "Location,Frequency,Mode\n1,446.00625,FM\n");
    ASSERT_EQ(Run({"csv-import", Path("generic.csv"), Path("b.Dat")}), 0) << err_.str();
    EXPECT_EQ(Decode(Path("b.Dat"))["wide_narrow"], 0);
}

// A published list numbered 71 to 86 placed in order: refused for its rows outside the band, or
// imported without them (what else is placed where is the import's own, tested with it). The
// built-in lists; a configured model that does not exist.
TEST_F(CliFilesTest, ImportsListsAsUsersHaveThem) {
    const std::string source = RVM46_SOURCE_DIR;
    const std::string list = source + "/tests/scenarios/csv_numbered_lists.csv";
    std::filesystem::copy(source + "/data/Channels", dir_ / "Channels");
    std::string config = testing::FileBytes(dir_ / "Setting" / "Config_5100.ini");
    config.replace(config.find("Model=1"), 7, "Model=9");
    const std::string badConfig = dir_.Write("bad_model.ini", config).string();
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string err;  // contained in what it printed to standard error
        std::string out;
    };
    const std::string out = Path("out.Dat");
    const std::vector<Case> cases = {
        // Every bad row is named, the list is refused as a whole.
        {{"--model", "1", "--renumber", list, out},
         1,
         "rvm46: \"" + list +
             "\" refused, nothing written:\n  row 10, Frequency \"446.10625\": "
             "Out of range!The valid range is 446.00625-446.09375MHz\n  row 11,",
         ""},
        {{"--model", "1", "--renumber", "--skip-invalid", list, out},
         0,
         "rvm46: note: row 17, Frequency \"446.19375\": Out of range!The valid range is "
         "446.00625-446.09375MHz; row left out\n",
         "imported 8 channels from \"" + list + "\" into \"" + out + "\"\n"},
        // A standard channel is never moved to the nearest channel of another raster.
        {{"--model", "2", "--standard", "pmr446", out},
         1,
         "row 2, Frequency \"446.00625\": not a channel of this model (the nearest is 446.00000)",
         ""},
        {{"--config", badConfig, list, out},
         1,
         "the configuration selects model 9, which its model table does not have (0 4100, "
         "1 4100-446, 2 5100, 3 5100-446); give --model",
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        std::filesystem::remove(out);
        std::vector<std::string> args = {"csv-import"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        EXPECT_EQ(Run(args), c.status);
        EXPECT_THAT(err_.str(), HasSubstr(c.err));
        EXPECT_EQ(out_.str(), c.out);
        EXPECT_EQ(std::filesystem::exists(out), c.status == 0);
    }
    ASSERT_EQ(Run({"csv-import", "--model", "2", "--standard", "FRS", out}), 0) << err_.str();
    EXPECT_THAT(out_.str(), HasSubstr("imported 16 channels from"));
    ASSERT_EQ(Run({"csv-export", out, Path("frs.csv")}), 0);
    EXPECT_EQ(out_.str(), "exported 16 channels to \"" + Path("frs.csv") + "\"\n");
}

// `rvm46 sheet`: the PDF's text layer holds every value of the sheet, in both languages, and its
// fonts travel with it.
TEST_F(CliFilesTest, SheetPdfHoldsEveryValueWithItsFontsInBothLanguages) {
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
        for (const std::string& literal : c.literal) EXPECT_THAT(text, HasSubstr(literal));
        // Every cell and setting the sheet holds is on the page as text.
        ui::SheetSource source{.image = image, .fileName = "shop.Dat", .when = "", .program = ""};
        const ui::ChannelSheet sheet = ui::BuildChannelSheet(source, testing::DeliveredModels(),
                                                             testing::DeliveredTones(), c.language);
        for (const auto& row : sheet.rows) {
            for (const std::string& cell : row) EXPECT_THAT(text, HasSubstr(cell));
        }
        for (const auto& [caption, value] : sheet.settings) {
            EXPECT_THAT(text, HasSubstr(caption));
            EXPECT_THAT(text, HasSubstr(value));
        }
        // One page, every font embedded, and the language's own face among them.
        EXPECT_THAT(Output("pdfinfo '" + pdf + "'"), ::testing::ContainsRegex("Pages: +1\n"));
        const std::string fonts = Output("pdffonts '" + pdf + "'");
        EXPECT_THAT(fonts, HasSubstr(c.font));
        const std::string rest = R"(\s+(yes|no)\s+(yes|no)\s+\d+\s+\d+)";  // sub, uni, object
        EXPECT_TRUE(std::regex_search(fonts, std::regex(R"(\syes)" + rest))) << fonts;
        EXPECT_FALSE(std::regex_search(fonts, std::regex(R"(\sno)" + rest))) << fonts;
    }
}

}  // namespace
}  // namespace rvm46
