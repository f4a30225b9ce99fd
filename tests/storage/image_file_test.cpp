// Data files on disk: reading any size, saving that keeps a longer file's tail, and saves that
// fail without touching the old file or leaving a temporary file behind; the writer against every
// kind of target, kept versions and the job folder.
#include "storage/image_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>

#include "storage/file_replace.h"
#include "storage/job_folder.h"
#include "storage/kept_versions.h"
#include "support/temp_dir.h"

namespace rvm46::storage {
namespace {

namespace fs = std::filesystem;
using rvm46::testing::TempDir;
constexpr auto Bytes = rvm46::testing::FileBytes;

// Byte i is i mod 251, so every offset is told apart.
std::string Pattern(std::size_t size, int salt = 0) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i + salt) % 251);
    return bytes;
}

CodeplugImage SampleImage() {
    CodeplugImage image{};
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(255 - i % 200);
    return image;
}

std::string ImageBytes(const CodeplugImage& image) {
    return {reinterpret_cast<const char*>(image.data()), image.size()};
}

std::ptrdiff_t FilesIn(const fs::path& folder) {
    return std::distance(fs::directory_iterator(folder), {});
}

TEST(ImageFile, ReadTakesTheFirst1074BytesAndZeroFillsAShortFile) {
    TempDir dir;
    for (const std::size_t size : {0, 1000, 1074, 2000}) {
        SCOPED_TRACE(size);
        std::string content = Pattern(size);
        std::string reason;
        const auto image = ReadImageFile(dir.Write("f.Dat", content), &reason);
        ASSERT_TRUE(image) << reason;
        content.resize(1074, '\0');
        EXPECT_EQ(ImageBytes(*image), content);
    }
}

TEST(ImageFile, SaveKeepsALongerFilesTailWriteNewCutsIt) {
    TempDir dir;
    const CodeplugImage image = SampleImage();
    // (name, size of the old file or 0 for none, size after, written new rather than saved)
    for (const auto& [name, oldSize, newSize, writeNew] : {std::tuple{"new", 0u, 1074u, false},
                                                           {"shorter", 1000u, 1074u, false},
                                                           {"same", 1074u, 1074u, false},
                                                           {"longer", 2000u, 2000u, false},
                                                           {"written new", 3000u, 1074u, true}}) {
        SCOPED_TRACE(name);
        const fs::path file = dir / (std::string(name) + ".Dat");
        const std::string old = Pattern(oldSize, 7);
        if (oldSize > 0) dir.Write(file.filename().string(), old);
        std::string reason;
        const auto save = writeNew ? WriteNewImageFile : SaveImageFile;
        ASSERT_TRUE(save(file, image, &reason, {})) << reason;
        const std::string now = Bytes(file);
        ASSERT_EQ(now.size(), newSize);
        EXPECT_EQ(now.substr(0, 1074), ImageBytes(image));
        EXPECT_EQ(now.substr(1074), newSize > 1074 ? old.substr(1074) : "");
    }
    // Only the data files are left in the folder.
    EXPECT_EQ(FilesIn(dir.path()), 5);
}

TEST(ImageFile, AFailedSaveLeavesTheOldFileByteForByteAndNoTemporaryFile) {
    TempDir dir;
    const std::string old = Pattern(2000, 3);
    const auto file = dir.Write("keep.Dat", old);
    std::string reason;

    // Failure after the new content is complete on disk, just before it would replace the file.
    fs::path seen;
    const bool saved = ReplaceFile(file, SampleImage(), true, &reason, [&](const fs::path& temp) {
        seen = temp;
        EXPECT_EQ(temp.parent_path(), file.parent_path());  // same folder: rename, not copy
        EXPECT_EQ(Bytes(temp).size(), 2000u);               // the whole new content is there
        return false;
    });
    EXPECT_FALSE(saved);
    EXPECT_FALSE(reason.empty());
    EXPECT_FALSE(seen.empty());
    EXPECT_EQ(Bytes(file), old);
    EXPECT_EQ(FilesIn(dir.path()), 1);

    // A folder where the file should be, and a folder that does not exist; neither reads.
    fs::create_directory(dir / "folder.Dat");
    EXPECT_FALSE(SaveImageFile(dir / "folder.Dat", SampleImage(), &reason));
    EXPECT_TRUE(fs::is_directory(dir / "folder.Dat"));
    EXPECT_FALSE(ReadImageFile(dir / "folder.Dat", &reason));
    EXPECT_FALSE(ReadImageFile(dir / "missing.Dat", &reason));
    EXPECT_NE(reason.find("missing.Dat"), std::string::npos) << reason;
    EXPECT_FALSE(SaveImageFile(dir / "no-such-folder" / "x.Dat", SampleImage(), &reason));
    EXPECT_NE(reason.find("no-such-folder"), std::string::npos) << reason;
    EXPECT_EQ(FilesIn(dir.path()), 2);  // nothing created
}

// The data-file writer against every kind of target a user can name: each save either reaches the
// file every name of it shows, keeping its owner, group and mode, or fails and leaves it byte for
// byte. Cases that need an ordinary user are skipped as root (CI runs them again as "nobody");
// the one that needs root (another user's file) is skipped otherwise.
using P = fs::perms;

// Every old file holds 'o' bytes; the new image is 'Z'.

enum class Runs { kAnyone, kOrdinaryUser, kRoot };

struct Case {
    const char* name;
    Runs runs;
    std::function<fs::path(const TempDir&)> setUp;  // returns the name to save to
    bool saves;
    const char* otherName = nullptr;  // another name that must show the same content
};

TEST(FileReplace, EveryKindOfTargetIsWrittenWhereTheUserMeansOrLeftByteForByte) {
    const bool root = ::geteuid() == 0;
    const auto file = [](const TempDir& d, const char* name, std::size_t size, P mode) {
        const fs::path f = d.Write(name, std::string(size, 'o'));
        fs::permissions(f, mode);
        return f;
    };
    const Case cases[] = {
        {"a read-only file is refused", Runs::kOrdinaryUser,
         [&](const TempDir& d) { return file(d, "t.Dat", 1074, P::owner_read); }, false},
        {"a longer file whose tail cannot be read is refused", Runs::kOrdinaryUser,
         [&](const TempDir& d) { return file(d, "t.Dat", 2000, P::owner_write); }, false},
        {"a name at the file system's limit saves", Runs::kAnyone,
         [](const TempDir& d) { return d / (std::string(251, 'n') + ".Dat"); }, true},
        {"a link: the file it names", Runs::kAnyone,
         [&](const TempDir& d) {
             file(d, "real.Dat", 2000, P::owner_read | P::owner_write | P::group_read);
             fs::create_symlink("real.Dat", d / "t.Dat");
             return d / "t.Dat";
         },
         true, "real.Dat"},
        {"a dangling link creates the file it names", Runs::kAnyone,
         [](const TempDir& d) {
             fs::create_symlink("made.Dat", d / "t.Dat");
             return d / "t.Dat";
         },
         true, "made.Dat"},
        {"hard links", Runs::kAnyone,
         [&](const TempDir& d) {
             const fs::path f = file(d, "t.Dat", 1074, P::owner_read | P::owner_write);
             fs::create_hard_link(f, d / "two.Dat");
             return f;
         },
         true, "two.Dat"},
        {"a writable file in a read-only folder", Runs::kOrdinaryUser,
         [&](const TempDir& d) {
             const fs::path f = file(d, "sub/t.Dat", 1074, P::owner_read | P::owner_write);
             fs::permissions(d / "sub", P::owner_read | P::owner_exec);
             return f;
         },
         true},
        {"another user's file", Runs::kRoot,
         [&](const TempDir& d) {
             const fs::path f = file(d, "t.Dat", 1074, P::owner_read | P::owner_write);
             EXPECT_EQ(::chown(f.c_str(), 65534, 65534), 0);
             return f;
         },
         true},
    };
    CodeplugImage image{};
    image.fill('Z');
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if ((c.runs == Runs::kOrdinaryUser && root) || (c.runs == Runs::kRoot && !root)) continue;
        TempDir dir;
        const fs::path target = c.setUp(dir);
        const bool link = fs::is_symlink(target);
        const bool existed = fs::exists(target);
        struct stat before {};
        ::stat(target.c_str(), &before);
        const std::string old(existed ? static_cast<std::size_t>(before.st_size) : 0, 'o');

        std::string reason;
        EXPECT_EQ(SaveImageFile(target, image, &reason), c.saves) << reason;
        EXPECT_NE(reason.empty(), !c.saves) << reason;
        EXPECT_EQ(fs::is_symlink(target), link);
        struct stat after {};
        ::stat(target.c_str(), &after);
        if (existed) {
            // Owner, group and mode.
            EXPECT_EQ(std::tuple(after.st_uid, after.st_gid, after.st_mode),
                      std::tuple(before.st_uid, before.st_gid, before.st_mode));
        }
        fs::permissions(target.parent_path(), P::owner_all, fs::perm_options::add);
        fs::permissions(target, P::owner_read, fs::perm_options::add);
        const std::string expected =
            !c.saves ? old
                     : std::string(1074, 'Z') + old.substr(std::min<std::size_t>(old.size(), 1074));
        EXPECT_EQ(Bytes(target), expected);
        if (c.otherName) {
            EXPECT_EQ(Bytes(dir / c.otherName), expected);
        }
        for (const auto& entry : fs::recursive_directory_iterator(dir.path()))
            EXPECT_FALSE(IsOwnTemporaryName(entry.path().filename().string())) << entry.path();
    }
}

TEST(FileReplace, TheNextSaveRemovesTemporariesThatAKilledSaveLeft) {
    TempDir dir;
    const std::string dead = "999999999";  // above any process id the system gives
    const auto leftover = dir.Write(".rvm46-" + dead + "-4.tmp", "x");
    const auto older = dir.Write(".radio.Dat.saving-" + dead + "-1", "x");
    const auto running = dir.Write(".rvm46-" + std::to_string(::getpid()) + "-99999.tmp", "x");
    const auto theirs = dir.Write(".rvm46-notes.tmp", "x");
    std::string reason;
    ASSERT_TRUE(SaveImageFile(dir / "radio.Dat", CodeplugImage{}, &reason)) << reason;
    EXPECT_FALSE(fs::exists(leftover));
    EXPECT_FALSE(fs::exists(older));
    EXPECT_TRUE(fs::exists(running));
    EXPECT_TRUE(fs::exists(theirs));
}

// Kept versions: their names, a save that keeps what the file held, a folder that cannot take
// them, and the retention rule.
using namespace std::chrono_literals;

// 2026-12-07 03:15:00 local time.
constexpr std::uint8_t kByte = 1;

KeptClock::time_point When() {
    std::tm local{};
    ::strptime("2026-12-07 03:15:00", "%Y-%m-%d %H:%M:%S", &local);
    local.tm_isdst = -1;
    return KeptClock::from_time_t(std::mktime(&local));
}

TEST(KeptVersions, ASaveKeepsWhatTheFileHeldUnderItsNameAndTimeOrLeavesTheFile) {
    TempDir dir;
    const auto file = dir.Write("master.Dat", std::string(1074, 'o'));
    const fs::path backup = dir / "Data" / "Backup";
    CodeplugImage image{};
    std::string reason;
    ASSERT_TRUE(SaveImageFile(file, image, &reason, KeepPreviousIn(backup, ".Dat"))) << reason;
    ASSERT_TRUE(SaveImageFile(file, image, &reason, KeepPreviousIn(backup, ".Dat"))) << reason;
    const auto kept = *fs::directory_iterator(backup);  // one: the second save changed nothing
    EXPECT_EQ(std::distance(fs::directory_iterator(backup), fs::directory_iterator()), 1);
    EXPECT_EQ(kept.path().filename().string().rfind("master_", 0), 0u);
    EXPECT_EQ(Bytes(kept.path()), std::string(1074, 'o'));
    // A file where the folder belongs: the save fails and leaves the file as it was. (That the
    // reason names the folder is checked by the scenario read_backup_not_kept.)
    const auto blocker = dir.Write("Blocker", "x");
    image.fill(1);
    EXPECT_FALSE(SaveImageFile(file, image, &reason, KeepPreviousIn(blocker, ".Dat")));
    EXPECT_EQ(Bytes(file), std::string(1074, '\0'));

    // Two versions in the same second are both kept.
    const auto first = KeepVersion({&kByte, 1}, backup, "Read", ".Dat", &reason, When());
    const auto second = KeepVersion({&kByte, 1}, backup, "Read", ".Dat", &reason, When());
    ASSERT_TRUE(first && second) << reason;
    EXPECT_EQ(first->filename(), "Read_20261207_031500.Dat");
    EXPECT_EQ(second->filename(), "Read_20261207_031500_2.Dat");
}

TEST(KeptVersions, OldFilesGoOnlyBeyondTheNewestAndOnlyNamesOfOurPattern) {
    TempDir dir;
    const auto now = When();
    std::string reason;
    // Three of 100 days ago, two of yesterday, and a file of the user's.
    for (int i = 0; i < 3; ++i)
        KeepVersion({&kByte, 1}, dir.path(), "old", ".Dat", &reason, now - 2400h);
    for (int i = 0; i < 2; ++i)
        KeepVersion({&kByte, 1}, dir.path(), "new", ".csv", &reason, now - 24h);
    dir.Write("notes_20200101_000000.txt.bak", "mine");
    dir.Write("mine.Dat", "mine");

    EXPECT_EQ(PruneKeptVersions(dir.path(), now, Retention{2401h, 1}), 0u);  // all young enough
    EXPECT_EQ(PruneKeptVersions(dir.path(), now, Retention{2399h, 5}), 0u);  // the newest five
    EXPECT_EQ(PruneKeptVersions(dir.path(), now, Retention{2399h, 3}), 2u);
    EXPECT_EQ(PruneKeptVersions(dir.path(), now, Retention{48h, 0}), 1u);  // young ones stay
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        left.push_back(entry.path().filename().string().substr(0, 4));
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"mine", "new_", "new_", "note"}));
}

// The job folder: local times with their offset, and a folder that already holds a job refused.
TEST(JobFolderTest, TimesCarryTheLocalOffset) {
    const char* before = std::getenv("TZ");
    const std::string saved = before ? before : "";
    const auto when = JobClock::from_time_t(1796000000);  // 2026-11-30 (a Monday), 00:53:20 UTC
    for (const auto& [zone, text] : {std::pair{"CST-8", "2026-11-30T08:53:20+08:00"},
                                     {"NST+3:30", "2026-11-29T21:23:20-03:30"},
                                     {"UTC0", "2026-11-30T00:53:20+00:00"}}) {
        SCOPED_TRACE(zone);
        setenv("TZ", zone, 1);
        tzset();
        EXPECT_EQ(IsoLocalTime(when), text);
    }
    before ? setenv("TZ", saved.c_str(), 1) : unsetenv("TZ");
    tzset();
}

TEST(JobFolderTest, AFolderHoldingAJobIsRefused) {
    TempDir dir;
    std::string error;
    ASSERT_TRUE(JobFolder::Create(dir / "job", BlankImage(), &error).has_value()) << error;
    EXPECT_FALSE(JobFolder::Create(dir / "job", BlankImage(), &error).has_value());
    EXPECT_NE(error.find("already holds a job"), std::string::npos) << error;
}

}  // namespace
}  // namespace rvm46::storage
