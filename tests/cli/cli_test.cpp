// The command-line companion, driven as a user would call it: files in, JSON and files out.
#include "cli/cli.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "storage/image_file.h"
#include "support/temp_dir.h"

namespace rvm46 {
namespace {

using nlohmann::json;
using testing::DeliveredFile;
using testing::TempDir;

class CliTest : public ::testing::Test {
  protected:
    CliTest() {
        std::filesystem::create_directories(dir_ / "Setting");
        std::filesystem::copy_file(DeliveredFile("Config_5100.ini"),
                                   dir_ / "Setting" / "Config_5100.ini");
        std::filesystem::copy_file(DeliveredFile("QTDQT_5100.ini"),
                                   dir_ / "Setting" / "QTDQT_5100.ini");
    }

    int Run(std::vector<std::string> args) {
        args.insert(args.begin(), "rvm46");
        std::vector<const char*> argv;
        for (const auto& a : args) argv.push_back(a.c_str());
        out_.str("");
        err_.str("");
        return cli::RunCli(static_cast<int>(argv.size()), argv.data(), dir_.path(), out_, err_);
    }

    static json Document() {
        json channels = json::array();
        for (int k = 0; k < 16; ++k) channels.push_back(nullptr);
        channels[0] = {{"rx", 446.00625},   {"tx", 446.00625},   {"decode_tone", 0},
                       {"encode_tone", 12}, {"busy_lockout", 0}, {"shift", 1}};
        channels[9] = {{"rx", 462.5},        {"tx", nullptr},
                       {"decode_tone", 150}, {"encode_tone", nullptr},
                       {"busy_lockout", 1},  {"shift", 0}};
        return {{"model", 2},       {"beep_tone", 1},      {"battery_save", 0},
                {"squelch", 9},     {"monitor_key", 0},    {"time_out_timer", 10},
                {"wide_narrow", 0}, {"channels", channels}};
    }

    // A file of the given length holding the start of an encoded codeplug.
    std::string WriteDataFile(std::size_t size) {
        std::string bytes(size, '\0');
        const CodeplugImage blank = BlankImage();
        std::copy_n(blank.begin(), std::min(size, blank.size()), bytes.begin());
        return dir_.Write("data" + std::to_string(size) + ".Dat", bytes).string();
    }

    std::string WriteJson(const json& document) {
        return dir_.Write("in.json", document.dump()).string();
    }

    TempDir dir_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(CliTest, EncodeThenDecodeGivesTheSameDocument) {
    const json document = Document();
    const std::string out = (dir_ / "out.Dat").string();
    ASSERT_EQ(Run({"encode", WriteJson(document), out}), 0) << err_.str();
    EXPECT_EQ(std::filesystem::file_size(out), 1074u);
    ASSERT_EQ(Run({"decode", out}), 0) << err_.str();
    json decoded = json::parse(out_.str());
    EXPECT_EQ(decoded["model_code"], 81);  // the code of the third delivered model
    decoded.erase("model_code");
    EXPECT_EQ(decoded, document);
    // Frequencies are written with five decimals.
    EXPECT_NE(out_.str().find("\"rx\": 462.50000"), std::string::npos);
}

TEST_F(CliTest, NullSelectionsEncodeAsNoSelection) {
    json document = Document();
    for (const char* key : {"model", "beep_tone", "battery_save", "squelch", "monitor_key",
                            "time_out_timer", "wide_narrow"}) {
        document[key] = nullptr;
    }
    const std::string out = (dir_ / "out.Dat").string();
    ASSERT_EQ(Run({"encode", WriteJson(document), out}), 0) << err_.str();
    std::string reason;
    const auto image = storage::ReadImageFile(out, &reason);
    ASSERT_TRUE(image);
    EXPECT_EQ((*image)[1010], 0xFF);
    EXPECT_EQ((*image)[1011], 5);
    EXPECT_EQ((*image)[1028], 0xFF);     // no model: the model block stays blank
    EXPECT_EQ((*image)[66 + 12], 0xFB);  // no wide/narrow: flags left FBh
    ASSERT_EQ(Run({"decode", out}), 0);
    const json decoded = json::parse(out_.str());
    EXPECT_TRUE(decoded["model"].is_null());
    EXPECT_EQ(decoded["squelch"], 5);
}

TEST_F(CliTest, DecodeOfANeverProgrammedImageKeepsTheChannels) {
    CodeplugImage image;
    image.fill(0xFF);
    image[66 + 13] = image[66 + 14] = 0x01;
    image[66 + 12] = 0xF8;
    const std::uint8_t rx[4] = {0x25, 0x06, 0x60, 0x44};
    std::copy(rx, rx + 4, &image[66]);
    std::string reason;
    ASSERT_TRUE(storage::WriteNewImageFile(dir_ / "blank.Dat", image, &reason));
    ASSERT_EQ(Run({"decode", (dir_ / "blank.Dat").string()}), 0);
    const json decoded = json::parse(out_.str());
    EXPECT_TRUE(decoded["squelch"].is_null());
    EXPECT_TRUE(decoded["model"].is_null());
    EXPECT_EQ(decoded["wide_narrow"], 0);
    EXPECT_EQ(decoded["channels"][0]["rx"], 446.00625);
    EXPECT_TRUE(decoded["channels"][0]["tx"].is_null());
    EXPECT_TRUE(decoded["channels"][1].is_null());
}

TEST_F(CliTest, BadInputIsRefusedAndLeavesNoFile) {
    const std::string out = (dir_ / "out.Dat").string();
    const auto refuse = [&](const std::string& text, const std::string& expected) {
        const std::string in = dir_.Write("bad.json", text).string();
        EXPECT_EQ(Run({"encode", in, out}), 1) << text;
        EXPECT_NE(err_.str().find(expected), std::string::npos) << err_.str();
        EXPECT_FALSE(std::filesystem::exists(out)) << text;
    };
    refuse("{ not json", "malformed JSON");
    refuse("[1, 2]", "must be a JSON object");
    // Text the JSON reader would take wrongly: a number beyond a double (it threw past every
    // handler), a NUL byte (it ignored the rest), a key given twice (the last one won).
    const std::string good = Document().dump();
    refuse(R"({"model": 1e309})", "malformed JSON");
    refuse(good + std::string("\0{", 2), "a NUL byte at offset");
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

    EXPECT_EQ(Run({"encode", (dir_ / "missing.json").string(), out}), 1);
    EXPECT_EQ(Run({"decode", (dir_ / "missing.Dat").string()}), 1);
    EXPECT_EQ(out_.str(), "");
    // An output folder that does not exist: refused, nothing left behind.
    EXPECT_EQ(Run({"encode", WriteJson(Document()), (dir_ / "no" / "out.Dat").string()}), 1);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "no"));
    // A named configuration that does not exist is an error, not a silent default.
    EXPECT_EQ(Run({"decode", "--config", (dir_ / "none.ini").string(), out}), 1);
    EXPECT_EQ(Run({"frobnicate"}), 2);
}

// Only regular files are read: a FIFO with no writer would block, a device would be read as data.
TEST_F(CliTest, FilesThatAreNotRegularFilesAreRefused) {
    const std::string fifo = (dir_ / "pipe").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string data = WriteDataFile(1074);
    const std::vector<std::vector<std::string>> commands = {
        {"decode", fifo},
        {"decode", "/dev/zero"},
        {"decode", "--config", fifo, data},
        {"decode", "--tones", "/dev/null", data},
        {"encode", WriteJson(Document()), "/dev/null"}};
    for (const auto& command : commands) {
        EXPECT_EQ(Run(command), 1) << command.back();
        EXPECT_NE(err_.str().find(" not a file"), std::string::npos) << err_.str();
    }
}

// Any file decodes, but one that is not a data file's length is reported.
TEST_F(CliTest, DecodeWarnsOfAFileThatIsNotADataFilesLength) {
    const std::pair<std::size_t, const char*> cases[] = {
        {0,
         "is 0 bytes, shorter than a data file (1074 bytes); the missing bytes were read as 00h"},
        {1075, "is 1075 bytes, longer than a data file (1074 bytes); only its first 1074"},
        {1074, nullptr}};
    for (const auto& [size, warning] : cases) {
        EXPECT_EQ(Run({"decode", WriteDataFile(size)}), 0);
        EXPECT_EQ(json::parse(out_.str())["channels"].size(), 16u);
        if (warning) {
            EXPECT_NE(err_.str().find(warning), std::string::npos) << err_.str();
        } else {
            EXPECT_EQ(err_.str(), "");
        }
    }
}

// A configuration file in UTF-16 (as a Windows editor saves "Unicode") is read; one in no encoding
// the program reads is refused with the reason.
TEST_F(CliTest, ConfigurationEncodings) {
    const std::string data = WriteDataFile(1074);
    std::string utf16Text = "\xFF\xFE";
    for (const char c : std::string("[Model]\r\nModCnt=1\r\n3=255\r\n")) utf16Text += {c, '\0'};
    const std::string utf16 = dir_.Write("utf16.ini", utf16Text).string();
    EXPECT_EQ(Run({"decode", "--config", utf16, data}), 0) << err_.str();
    EXPECT_EQ(json::parse(out_.str())["model"], 0);  // the blank image's model byte FFh is 255
    const std::string bad = dir_.Write("bad.ini", "[Model]\nModCnt=\x81\x20\n").string();
    EXPECT_EQ(Run({"decode", "--config", bad, data}), 1);
    EXPECT_NE(err_.str().find("is neither UTF-8, UTF-16 nor GB18030 text"), std::string::npos)
        << err_.str();
}

TEST_F(CliTest, AnyNumberIsAFrequency) {
    json document = Document();
    document["channels"][3] = {{"rx", 1e300},      {"tx", -5},          {"decode_tone", 0},
                               {"encode_tone", 0}, {"busy_lockout", 0}, {"shift", 0}};
    const std::string out = (dir_ / "out.Dat").string();
    ASSERT_EQ(Run({"encode", WriteJson(document), out}), 0) << err_.str();
    // The channel-list rules speak up without refusing what decode could have printed.
    EXPECT_NE(err_.str().find("warning: channel 4, rx"), std::string::npos) << err_.str();
    EXPECT_NE(err_.str().find("(stored as given)"), std::string::npos);
    ASSERT_EQ(Run({"decode", out}), 0);
    const json decoded = json::parse(out_.str());
    EXPECT_EQ(decoded["channels"][3]["rx"], 100.0);  // out of range is stored as 100 MHz
    EXPECT_EQ(decoded["channels"][3]["tx"], 100.0);
}

}  // namespace
}  // namespace rvm46
