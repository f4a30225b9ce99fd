#include "storage/profile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include "support/temp_dir.h"

namespace rvm46::storage {
namespace {

namespace fs = std::filesystem;
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

    rvm46::testing::TempDir folder_;
    fs::path file_ = folder_ / "Config.ini";
};

TEST_F(ProfileTest, ReadsEntriesTheWayTheyAreWrittenByHand) {
    EXPECT_EQ(Read("Setting", "COM"), "dflt");  // no file
    WriteBytes(
        "COM=7\r\n"
        "; Path=commented\r\n"
        "[ setting ]\r\n"
        "Path=\r\n"
        ";COM=9\r\n"
        "a line without equals sign\r\n"
        "  com  =  3  \r\n"
        "COM=4\r\n"
        "Title=\"  quoted  \"\r\n"
        "[SETTING]\r\n"
        "Model=5\r\n"
        "[Other]\r\n"
        "Model=6\r\n");
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

TEST_F(ProfileTest, WriteCreatesFileAndSection) {
    EXPECT_EQ(Written("Setting", "COM", "1"), "[Setting]\nCOM=1\n");
    EXPECT_EQ(Written("Title", "Chs", "中文"), "[Setting]\nCOM=1\n\n[Title]\nChs=中文\n");
    EXPECT_EQ(EntriesInFolder(), 1u);  // no temporary file left behind
}

TEST_F(ProfileTest, WriteChangesOnlyTheKeysLine) {
    const std::string before =
        "; settings\r\n"
        "[Setting]\r\n"
        "ColorHint=&H0000FF  ; kept\r\n"
        "\r\n"
        "Com = 3\r\n"
        "\r\n"
        "[Model]\r\n"
        "ModCnt=4";
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

TEST_F(ProfileTest, RemovingKeys) {
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
    for (const auto& [bytes, reason] : files) {
        WriteBytes(bytes);
        const ProfileSnapshot snapshot(file_);
        EXPECT_NE(snapshot.Problem().find(reason), std::string::npos) << snapshot.Problem();
        EXPECT_EQ(snapshot.Read("Setting", "COM", "dflt", 10), "dflt");
        EXPECT_FALSE(ProfileWrite(file_, "Setting", "COM", "2"));
        EXPECT_EQ(ReadBytes(file_), bytes);
    }
    const fs::path fifo = folder_ / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const fs::path& device : {fifo, fs::path("/dev/zero")}) {
        const ProfileSnapshot snapshot(device);  // returns at once
        EXPECT_NE(snapshot.Problem().find("not a file"), std::string::npos) << device;
        EXPECT_EQ(snapshot.Read("Setting", "COM", "dflt", 10), "dflt");
        EXPECT_FALSE(ProfileWrite(device, "Setting", "COM", "2"));
    }
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

}  // namespace
}  // namespace rvm46::storage
