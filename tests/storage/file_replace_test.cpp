// The data-file writer against every kind of target a user can name: each case either writes
// what every name of the file sees, or fails and leaves the file byte for byte. Cases that need an
// ordinary user are skipped when the tests run as root (CI runs this test a second time as
// "nobody"); the one that needs root (keeping another user's ownership) is skipped otherwise.
#include "storage/file_replace.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "storage/image_file.h"
#include "support/temp_dir.h"

namespace rvm46::storage {
namespace {

namespace fs = std::filesystem;
using rvm46::testing::TempDir;

std::string Bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Old(std::size_t size) {
    return std::string(size, 'o');
}

CodeplugImage NewImage() {
    CodeplugImage image{};
    image.fill(0x5A);
    return image;
}

const std::string kNew(1074, 'Z');

struct stat Stat(const fs::path& file) {
    struct stat info {};
    ::stat(file.c_str(), &info);
    return info;
}

enum class Runs { kAnyone, kOrdinaryUser, kRoot };

struct Case {
    const char* name;
    Runs runs;
    // Makes the target in the folder and returns the name to save to.
    std::function<fs::path(const TempDir&)> setUp;
    bool saves;
    // Further checks, after the common ones.
    std::function<void(const TempDir&)> check;
};

TEST(FileReplace, EveryKindOfTargetIsWrittenWhereTheUserMeansOrLeftByteForByte) {
    const bool root = ::geteuid() == 0;
    const Case cases[] = {
        {"a read-only file is refused",
         Runs::kOrdinaryUser,
         [](const TempDir& d) {
             const auto f = d.Write("ro.Dat", Old(1074));
             fs::permissions(f, fs::perms::owner_read);
             return f;
         },
         false,
         {}},
        {"a longer file whose tail cannot be read is refused",
         Runs::kOrdinaryUser,
         [](const TempDir& d) {
             const auto f = d.Write("wo.Dat", Old(2000));
             fs::permissions(f, fs::perms::owner_write);
             return f;
         },
         false,
         {}},
        {"a name at the file system's limit saves",
         Runs::kAnyone,
         [](const TempDir& d) { return d / (std::string(251, 'n') + ".Dat"); },
         true,
         {}},
        {"through a link the named file is written and the link stays", Runs::kAnyone,
         [](const TempDir& d) {
             d.Write("real.Dat", Old(2000));
             fs::create_symlink("real.Dat", d / "link.Dat");
             return d / "link.Dat";
         },
         true,
         [](const TempDir& d) {
             EXPECT_TRUE(fs::is_symlink(d / "link.Dat"));
             EXPECT_EQ(Bytes(d / "real.Dat"), kNew + Old(2000).substr(1074));
         }},
        {"a dangling link creates the file it names", Runs::kAnyone,
         [](const TempDir& d) {
             fs::create_symlink("made.Dat", d / "dangling.Dat");
             return d / "dangling.Dat";
         },
         true,
         [](const TempDir& d) {
             EXPECT_TRUE(fs::is_symlink(d / "dangling.Dat"));
             EXPECT_EQ(Bytes(d / "made.Dat"), kNew);
         }},
        {"every hard link sees the new content", Runs::kAnyone,
         [](const TempDir& d) {
             const auto f = d.Write("one.Dat", Old(1074));
             fs::create_hard_link(f, d / "two.Dat");
             return f;
         },
         true,
         [](const TempDir& d) {
             EXPECT_EQ(Bytes(d / "two.Dat"), kNew);
             EXPECT_EQ(Stat(d / "one.Dat").st_ino, Stat(d / "two.Dat").st_ino);
         }},
        {"a writable file in a read-only folder is rewritten in place", Runs::kOrdinaryUser,
         [](const TempDir& d) {
             const auto f = d.Write("sub/in.Dat", Old(1074));
             fs::permissions(d / "sub", fs::perms::owner_read | fs::perms::owner_exec);
             return f;
         },
         true,
         [](const TempDir& d) {
             fs::permissions(d / "sub", fs::perms::owner_all);
             EXPECT_EQ(fs::file_size(d / "sub/in.Dat"), 1074u);
         }},
        {"another user's file keeps its owner, group and mode", Runs::kRoot,
         [](const TempDir& d) {
             const auto f = d.Write("theirs.Dat", Old(1074));
             EXPECT_EQ(::chown(f.c_str(), 65534, 65534), 0);
             fs::permissions(
                 f, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
             return f;
         },
         true,
         [](const TempDir& d) {
             const struct stat s = Stat(d / "theirs.Dat");
             EXPECT_EQ(s.st_uid, 65534u);
             EXPECT_EQ(s.st_gid, 65534u);
             EXPECT_EQ(s.st_mode & 07777, 0640u);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if ((c.runs == Runs::kOrdinaryUser && root) || (c.runs == Runs::kRoot && !root)) continue;
        TempDir dir;
        const fs::path file = c.setUp(dir);
        const fs::path real = fs::weakly_canonical(file);
        std::string reason;
        const bool saved = SaveImageFile(file, NewImage(), &reason);
        EXPECT_EQ(saved, c.saves) << reason;
        if (!c.saves) {
            EXPECT_FALSE(reason.empty());
            fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
            EXPECT_EQ(Bytes(real), Old(fs::file_size(real)));
        } else {
            EXPECT_EQ(Bytes(real).substr(0, 1074), kNew);
        }
        if (c.check) c.check(dir);
        // No temporary file of ours is left in the folder.
        for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
            EXPECT_FALSE(IsOwnTemporaryName(entry.path().filename().string())) << entry.path();
        }
    }
}

TEST(FileReplace, TheNextSaveRemovesTemporariesThatAKilledSaveLeft) {
    TempDir dir;
    const std::string dead = "999999999";  // above any process id the system gives
    const std::string alive = std::to_string(::getpid());
    const auto leftover = dir.Write(".rvm46-" + dead + "-4.tmp", "x");
    const auto older = dir.Write(".radio.Dat.saving-" + dead + "-1", "x");
    const auto running = dir.Write(".rvm46-" + alive + "-99999.tmp", "x");
    const auto theirs = dir.Write(".rvm46-notes.tmp", "x");
    std::string reason;
    ASSERT_TRUE(SaveImageFile(dir / "radio.Dat", NewImage(), &reason)) << reason;
    EXPECT_FALSE(fs::exists(leftover));
    EXPECT_FALSE(fs::exists(older));
    EXPECT_TRUE(fs::exists(running));
    EXPECT_TRUE(fs::exists(theirs));
}

TEST(FileReplace, ThePreviousContentIsKeptFirstAndOnlyWhenItChanges) {
    TempDir dir;
    const auto file = dir.Write("master.Dat", Old(1074));
    std::string seen;
    int calls = 0;
    bool allow = false;
    const KeepPrevious keep = [&](const fs::path& target, std::string* error) {
        ++calls;
        seen = Bytes(target);
        *error = "no room";
        return allow;
    };
    std::string reason;
    EXPECT_FALSE(SaveImageFile(file, NewImage(), &reason, keep));
    EXPECT_NE(reason.find("no room"), std::string::npos) << reason;
    EXPECT_EQ(Bytes(file), Old(1074));
    allow = true;
    ASSERT_TRUE(SaveImageFile(file, NewImage(), &reason, keep)) << reason;
    EXPECT_EQ(seen, Old(1074));
    EXPECT_EQ(Bytes(file), kNew);
    ASSERT_TRUE(SaveImageFile(file, NewImage(), &reason, keep)) << reason;
    EXPECT_EQ(calls, 2);  // the same content again needs no copy
}

}  // namespace
}  // namespace rvm46::storage
