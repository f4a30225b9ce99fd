// Setting files: entries read and written the way they are edited by hand, in every encoding the
// program reads; the values in them; the configuration file as the program uses it; the files
// delivered beside the program; and pins to USB adapters by their stable names.
#include "storage/profile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <climits>
#include <csignal>
#include <filesystem>
#include <set>
#include <string>

#include "comm/port_names.h"
#include "storage/port_pins.h"
#include "storage/profile_values.h"
#include "storage/settings.h"
#include "support/temp_dir.h"

namespace rvm46::storage {
namespace {

namespace fs = std::filesystem;
using rvm46::testing::TempDir;
constexpr auto ReadBytes = rvm46::testing::FileBytes;

// "中文" and "新" in GB18030.
constexpr const char* kGbChinese = "\xD6\xD0\xCE\xC4";
constexpr const char* kGbNew = "\xD0\xC2";

class ProfileTest : public ::testing::Test {
  protected:
    std::string Read(std::string_view section, std::string_view key, int size = 100) {
        return ProfileRead(file_, section, key, "dflt", size);
    }
    std::size_t EntriesInFolder() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_.path()), {}));
    }
    void WriteBytes(const std::string& bytes) { folder_.Write("Config.ini", bytes); }
    // Writes one entry and returns the file's bytes after it.
    std::string Written(std::string_view section, std::string_view key,
                        const std::optional<std::string>& value) {
        EXPECT_TRUE(ProfileWrite(file_, section, key, value)) << key;
        return ReadBytes(file_);
    }

    TempDir folder_;
    fs::path file_ = folder_ / "Config.ini";
};

TEST_F(ProfileTest, ReadsEntriesTheWayTheyAreWrittenByHand) {
    EXPECT_EQ(Read("Setting", "COM"), "dflt");  // no file
    WriteBytes(
        "COM=7\r\n; Path=commented\r\n[ setting ]\r\nPath=\r\n;COM=9\r\n"
        "a line without equals sign\r\n  com  =  3  \r\nCOM=4\r\nTitle=\"  quoted  \"\r\n"
        "[SETTING]\r\nModel=5\r\n[Other]\r\nModel=6\r\n");
    EXPECT_EQ(Read("Setting", "Path"), "");
    EXPECT_EQ(Read("SETTING", "Com"), "3");  // first key wins, names match in any case
    EXPECT_EQ(Read("Setting", "Title"), "  quoted  ");
    EXPECT_EQ(Read("Setting", "Model"), "dflt");  // only the first section of a name counts
    EXPECT_EQ(Read("Missing", "Model"), "dflt");
    EXPECT_EQ(Read("Other", "Model"), "6");
}

TEST_F(ProfileTest, CutsValuesAndDefaultsToSizeMinusOneCharacters) {
    WriteBytes("[Title]\nEng=Programming\nChs=编程软件\n");
    EXPECT_EQ(Read("Title", "Eng", 5), "Prog");
    EXPECT_EQ(Read("Title", "Chs", 3), "编程");
    EXPECT_EQ(Read("Title", "Chs", 50), "编程软件");
    EXPECT_EQ(Read("Title", "Eng", 1), "");
    EXPECT_EQ(ProfileRead(file_, "Title", "None", "默认值", 3), "默认");
    EXPECT_EQ(ProfileRead(file_, "Title", "None", "abc", 0), "");
}

TEST_F(ProfileTest, WriteCreatesFileAndSectionRemoveCreatesNothing) {
    EXPECT_EQ(Written("Setting", "COM", "1"), "[Setting]\nCOM=1\n");
    EXPECT_EQ(Written("Title", "Chs", "中文"), "[Setting]\nCOM=1\n\n[Title]\nChs=中文\n");
    EXPECT_EQ(EntriesInFolder(), 1u);  // no temporary file left behind

    // Removing keys.
    const std::string before = "[Setting]\nPath=a\nCOM=1\npath=b\n[Other]\nPath=c\n";
    WriteBytes(before);
    EXPECT_TRUE(ProfileWrite(file_, "Setting", "Missing", std::nullopt));
    EXPECT_EQ(Written("NoSection", "Path", std::nullopt), before);

    EXPECT_EQ(Written("Setting", "Path", std::nullopt), "[Setting]\nCOM=1\n[Other]\nPath=c\n");
    EXPECT_EQ(Read("Setting", "Path"), "dflt");

    const auto other = folder_ / "Other.ini";
    EXPECT_TRUE(ProfileWrite(other, "Setting", "Path", std::nullopt));
    EXPECT_FALSE(fs::exists(other));
}

TEST_F(ProfileTest, WriteChangesOnlyTheKeysLine) {
    const std::string before =
        "; settings\r\n[Setting]\r\nColorHint=&H0000FF  ; kept\r\n\r\nCom = 3\r\n\r\n"
        "[Model]\r\nModCnt=4";
    WriteBytes(before);

    std::string expected = before;
    expected.replace(expected.find("Com = 3"), 7, "COM=2");
    EXPECT_EQ(Written("SETTING", "COM", "2"), expected);

    // A new key goes after the section's last non-blank line, with the file's line end.
    expected.insert(expected.find("\r\n\r\n[Model]") + 2, "Path=\r\n");
    EXPECT_EQ(Written("Setting", "Path", ""), expected);

    // The last line had no line end; it gets one before the new key.
    EXPECT_EQ(Written("Model", "0", "5100"), expected + "\r\n0=5100\r\n");
    EXPECT_EQ(Read("Model", "ModCnt"), "4");
}

TEST_F(ProfileTest, ReadsAndWritesChineseCodePageAndByteOrderMark) {
    const std::string before = std::string("[Title]\r\nChs=") + kGbChinese + "\r\n[Setting]\r\n";
    WriteBytes(before);
    EXPECT_EQ(Written("Setting", "Path", "新"), before + "Path=" + kGbNew + "\r\n");
    EXPECT_EQ(Read("Setting", "Path"), "新");
    EXPECT_EQ(Read("Title", "Chs"), "中文");
    EXPECT_EQ(Read("Title", "Chs", 2), "中");

    WriteBytes("\xEF\xBB\xBF[Setting]\n");
    EXPECT_EQ(Written("Setting", "Path", "新"), "\xEF\xBB\xBF[Setting]\nPath=新\n");
    EXPECT_EQ(Read("Setting", "Path"), "新");
}

// A file saved as UTF-16 with its byte order mark is read, and written back in UTF-16, same order.
TEST_F(ProfileTest, Utf16FilesAreReadAndKeepTheirEncoding) {
    const auto utf16 = [](const std::string& ascii, bool bigEndian) {
        std::string bytes;
        for (const char c : ascii) bytes += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
        return bytes;
    };
    for (const bool bigEndian : {false, true}) {
        // "[Title]\r\nChs=" then U+4E2D U+6587 ("中文") and a character beyond U+FFFF.
        std::string before =
            (bigEndian ? "\xFE\xFF" : "\xFF\xFE") + utf16("[Title]\r\nChs=", bigEndian);
        before += bigEndian ? std::string("\x4E\x2D\x65\x87\xD8\x3D\xDE\x00", 8)
                            : std::string("\x2D\x4E\x87\x65\x3D\xD8\x00\xDE", 8);
        before += utf16("\r\n", bigEndian);
        WriteBytes(before);
        EXPECT_EQ(Read("Title", "Chs"), "中文\U0001F600");
        EXPECT_EQ(Written("Setting", "COM", "2"),
                  before + utf16("\r\n[Setting]\r\nCOM=2\r\n", bigEndian));
        EXPECT_EQ(Read("Setting", "COM"), "2");
    }
}

// A file in no encoding the program reads, or that is not a file, reads as missing with the reason,
// and is never written.
TEST_F(ProfileTest, UnreadableFilesAreRefusedAndNeverWritten) {
    const std::pair<std::string, const char*> files[] = {
        {"[Setting]\nCOM=\x81\x20\n", "neither UTF-8, UTF-16 nor GB18030"},
        {std::string("[\0S\0]\0", 6), "NUL bytes"},
        {"\xEF\xBB\xBF[Setting]\nCOM=\xFF\n", "not valid UTF-8"},
        {"\xEF\xBB\xBF[Setting]\nCOM=\xED\xA0\x80\n", "not valid UTF-8"},  // a surrogate
        {std::string("\xFF\xFE\0\0[\0\0\0", 8), "UTF-32"},
        {"\xFF\xFE[\0S", "not valid UTF-16"},
        {std::string("\xFF\xFE\x00\xDC", 4), "not valid UTF-16"}};
    const auto refused = [](const fs::path& file, const char* reason) {
        const ProfileSnapshot snapshot(file);  // returns at once, a device too
        EXPECT_NE(snapshot.Problem().find(reason), std::string::npos) << file << snapshot.Problem();
        EXPECT_EQ(snapshot.Read("Setting", "COM", "dflt", 10), "dflt");
        EXPECT_FALSE(ProfileWrite(file, "Setting", "COM", "2"));
    };
    for (const auto& [bytes, reason] : files) {
        WriteBytes(bytes);
        refused(file_, reason);
        EXPECT_EQ(ReadBytes(file_), bytes);
    }
    const fs::path fifo = folder_ / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const fs::path& device : {fifo, fs::path("/dev/zero")}) refused(device, "not a file");
    EXPECT_TRUE(fs::is_fifo(fifo));
}

TEST_F(ProfileTest, FailedWriteChangesNothing) {
    // No such folder, or a "folder" that is a file: nothing is created.
    EXPECT_FALSE(ProfileWrite(folder_ / "missing" / "Config.ini", "Setting", "COM", "1"));
    WriteBytes("[Setting]\nCOM=1\n");
    EXPECT_FALSE(ProfileWrite(file_ / "Config.ini", "Setting", "COM", "2"));
    EXPECT_FALSE(fs::exists(folder_ / "missing"));

    // Values that would break the line structure are refused.
    EXPECT_FALSE(ProfileWrite(file_, "Setting", "COM", "2\nModel=3"));
    EXPECT_FALSE(ProfileWrite(file_, "Setting", "", "2"));
    EXPECT_EQ(ReadBytes(file_), "[Setting]\nCOM=1\n");

    // The disk fills up half way through the write: the original stays whole.
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit small = previous;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = ProfileWrite(file_, "Setting", "Path", std::string(200, 'x'));
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadBytes(file_), "[Setting]\nCOM=1\n");
    EXPECT_EQ(EntriesInFolder(), 1u);
}

TEST(ProfileValuesTest, WholeNumbersBooleansAndColourLiterals) {
    // Fractions round to the nearest whole number, halves to the even one.
    const std::pair<const char*, long> numbers[] = {
        {"12", 12},   {" -7\t", -7}, {"+3", 3}, {"446.5", 446}, {"447.5", 448}, {"-2.5", -2},
        {"2.501", 3}, {"0.4999", 0}, {".5", 0}, {"&H1F", 31},   {"&hff&", 255}, {"&HFFFFFFFF", -1}};
    EXPECT_EQ(ParseWholeNumber("-9223372036854775808"), LONG_MIN);
    for (const auto& [text, value] : numbers) EXPECT_EQ(ParseWholeNumber(text), value) << text;
    for (const char* bad : {"", " ", "a", "1a", "1 2", "1.2.3", "-", ".", "&H", "&H123456789",
                            "&HG", "9223372036854775808", "9223372036854775807.5"})
        EXPECT_EQ(ParseWholeNumber(bad), std::nullopt) << bad;

    const std::pair<const char*, bool> booleans[] = {
        {"True", true}, {" fALSE ", false}, {"0", false},  {"0.00", false},
        {"-1", true},   {"0.4", true},      {"&H0", false}};
    for (const auto& [text, value] : booleans) EXPECT_EQ(ParseBoolean(text), value) << text;
    for (const char* bad : {"", "yes", "T", "True1", "a"})
        EXPECT_EQ(ParseBoolean(bad), std::nullopt) << bad;

    const std::pair<const char*, std::uint32_t> colours[] = {
        {"&HCADCEC", 0xCADCEC},      {"&h0000ff", 0xFF},     {"&HFF&", 0xFF},
        {"&H80000005", 0x80000005u}, {"13294828", 0xCADCEC}, {"-2147483643", 0x80000005u}};
    for (const auto& [text, value] : colours) EXPECT_EQ(ParseColourLiteral(text), value) << text;
    for (const char* bad : {"", "red", "&HGG", "&H123456789", "4294967296", "#CADCEC"})
        EXPECT_EQ(ParseColourLiteral(bad), std::nullopt) << bad;
}

// The configuration file as the program uses it: one reading per load, and writes in groups that
// later reads see.
TEST(ConfigFileTest, ReadsTheFileOnceAndSeesItsOwnWrites) {
    TempDir folder;
    const auto file = folder.Write(
        "Config.ini", "[Setting]\nCOM=3\nPath=/x.Dat\n[Model]\nModCnt=2\n0=A\n[Default]\nSql=9\n");
    ConfigFile config(file);
    // Changed behind its back: the reading made when it was loaded stands. (How odd values read:
    // the window's start-up test ValuesBeyondTheLimits and the image codec's model block test.)
    folder.Write("Config.ini", "[Model]\nModCnt=5\n");
    const ModelTable models = config.ReadModelTable();
    EXPECT_EQ(models.gintModelCount, 2);
    EXPECT_EQ(models.gstrModel[0], "A");
    EXPECT_EQ(config.ReadDefaults().sql, 9);
    EXPECT_EQ(config.ReadInteger(setting::kCom), 3);

    // A save rewrites the file once and is read back; a removed "Path" gives the default.
    EXPECT_TRUE(config.Save(
        {.language = 3, .comPort = 4, .path = std::nullopt, .model = 1, .valLegal = false}));
    EXPECT_EQ(config.Read(setting::kLanguage), "2");
    EXPECT_EQ(config.ReadInteger(setting::kCom), 4);
    EXPECT_EQ(config.ReadBoolean(setting::kValLegal), false);
    EXPECT_EQ(config.ReadPath("default.Dat"), "default.Dat");
    EXPECT_EQ(config.ReadModelTable().gintModelCount, 5);
    EXPECT_EQ(ProfileRead(file, "Setting", "Model", "", 10), "1");
}

// Checks of the setting files delivered beside the program, read the way the program reads them.
// (That every delivered tone survives encoding and decoding is checked with the image codec.)
const fs::path kToneFile = rvm46::testing::DeliveredFile("QTDQT_5100.ini");
const fs::path kConfigFile = rvm46::testing::DeliveredFile("Config_5100.ini");
constexpr const char* kMissing = "<missing>";

// Tones 1-39 are rising CTCSS frequencies stored in tenths, 40-122 normal DQT codes 8xxx shown
// as DxxxN, and 123-204 the same codes inverted, 9xxx shown as DxxxI.
TEST(DeliveredToneFileTest, TonesAreInTheirRanges) {
    const ProfileSnapshot file(kToneFile);
    const auto read = [&](const char* section, int i) {
        return file.Read(section, std::to_string(i), kMissing, 100);
    };
    const auto shown = [&](int i) { return read("QTDQTList", i); };
    const auto code = [&](int i) { return read("QTDQT", i); };
    EXPECT_EQ(code(0), "0000");
    double previous = 0;
    for (int i = 1; i <= 39; ++i) {
        const double hertz = std::stod(shown(i));
        EXPECT_GT(hertz, previous) << "index " << i;
        EXPECT_EQ(std::stoi(code(i)), static_cast<int>(hertz * 10 + 0.5)) << "index " << i;
        previous = hertz;
    }
    for (int i = 40; i <= 122; ++i) {
        EXPECT_EQ(code(i).front(), '8') << "index " << i;
        EXPECT_EQ(shown(i), "D" + code(i).substr(1) + "N");
        if (i > 40) {
            EXPECT_GT(code(i), code(i - 1));
        }
        if (i < 122) {
            EXPECT_EQ(code(i + 83), "9" + code(i).substr(1));
            EXPECT_EQ(shown(i + 83), "D" + code(i).substr(1) + "I");
        }
    }
}

TEST(DeliveredConfigTest, FreshInstallSettingsAndACompleteModelTable) {
    const auto setting = [](const char* section, const std::string& key, int size = 300) {
        return ProfileRead(kConfigFile, section, key, kMissing, size);
    };
    EXPECT_EQ(setting("Setting", "Language"), kMissing);  // the first start asks for it
    for (const char* key : {"ColorFull", "ColorTextText", "ColorText", "ColorHint", "ColorBlack"})
        EXPECT_TRUE(ParseColourLiteral(setting("Setting", key))) << key;
    for (const char* key : {"ValLegal", "NotLimitedModel", "OverFreFont"})
        EXPECT_TRUE(ParseBoolean(setting("Setting", key))) << key;
    for (const char* key : {"COM", "Model", "FreEqual"})
        EXPECT_TRUE(ParseWholeNumber(setting("Setting", key))) << key;
    for (const char* key : {"EngTitle", "ChsVer", "EngVer", "ChsRelease", "EngRelease"})
        EXPECT_NE(setting("Title", key), kMissing) << key;
    for (const char* key : {"ToneHint", "Sql", "MoniKey", "TimeOut", "BatSave", "WideNarrow"}) {
        const std::string value = setting("Default", key);
        EXPECT_TRUE(value.size() == 1 && ParseWholeNumber(value)) << key;
    }

    const auto model = [&](int key) { return setting("Model", std::to_string(key), 15); };
    ASSERT_EQ(ParseWholeNumber(setting("Model", "ModCnt", 2)), 4);
    std::set<long> codes;
    for (int m = 0; m < 4; ++m) {
        EXPECT_NE(model(4 * m), kMissing);
        EXPECT_LE(std::stod(model(4 * m + 1)), std::stod(model(4 * m + 2))) << "model " << m;
        const auto code = ParseWholeNumber(model(4 * m + 3));
        ASSERT_TRUE(code && *code >= 0 && *code <= 255) << "model " << m;
        EXPECT_TRUE(codes.insert(*code).second) << "duplicate model code " << *code;
        for (int j = 0; j < 8; ++j) {
            const auto byte = ParseWholeNumber(model(100 + 10 * m + j));
            ASSERT_TRUE(byte && *byte >= 0 && *byte <= 255) << "model " << m << " byte " << j;
        }
    }
}

// Pins to USB adapters by their stable names: the stable name found for a device, the adapter's
// name read from it, and a pin through such a name recognised among the ports the system reports.
TEST(PortPinsTest, StableNamesLeadToTheAdapterAndKeepItsComNumber) {
    TempDir dir;
    const fs::path device = dir.Write("ttyUSB7", "");
    const fs::path other = dir.Write("ttyUSB8", "");
    fs::create_directories(dir / "by-id");
    const fs::path stable = dir / "by-id" / "usb-Prolific_PL2303_AB12-if00-port0";
    fs::create_symlink(device, stable);
    EXPECT_EQ(StablePortPath(device.string(), dir / "by-id"), stable.string());
    EXPECT_EQ(StablePortPath(other.string(), dir / "by-id"), other.string());
    EXPECT_EQ(StablePortPath("/dev/rvm46-none", dir / "by-id"), "/dev/rvm46-none");

    EXPECT_EQ(AdapterName(stable.string()), "Prolific PL2303 AB12");
    EXPECT_EQ(AdapterName("/dev/ttyS0"), "ttyS0");

    // COM2 pinned to the stable name: the adapter (reported by its own path) is COM2 only, and
    // the other port found takes COM1.
    const std::vector<comm::PortInfo> found = {{device.string(), "PL2303", "", 0x067B, 0x2303},
                                               {other.string(), "", "", 0x0403, 0x6001}};
    const comm::PortTable table =
        comm::MapPorts(found, {{2, stable.string()}}, false, DeviceIdentity);
    EXPECT_EQ(table.com[0].device, other.string());
    EXPECT_EQ(table.com[1].device, stable.string());
    ASSERT_TRUE(table.com[1].info.has_value());
    EXPECT_EQ(table.com[1].info->description, "PL2303");
    EXPECT_EQ(table.com[2].source, comm::PortAssignment::Source::kNone);
}

}  // namespace
}  // namespace rvm46::storage
