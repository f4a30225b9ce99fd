// The data-file writer against every kind of target a user can name: each save either reaches the
// file every name of it shows, keeping its owner, group and mode, or fails and leaves it byte for
// byte. Cases that need an ordinary user are skipped as root (CI runs them again as "nobody");
// the one that needs root (another user's file) is skipped otherwise.
#include "storage/file_replace.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <string>

#include "storage/image_file.h"
#include "support/temp_dir.h"

namespace rvm46::storage {
namespace {

namespace fs = std::filesystem;
using rvm46::testing::TempDir;
constexpr auto Bytes = rvm46::testing::FileBytes;
using P = fs::perms;

// Every old file holds 'o' bytes; the new image is 'Z'.

struct stat Stat(const fs::path& file) {
    struct stat info {};
    ::stat(file.c_str(), &info);
    return info;
}

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
        const struct stat before = Stat(target);
        const std::string old(existed ? static_cast<std::size_t>(before.st_size) : 0, 'o');

        std::string reason;
        EXPECT_EQ(SaveImageFile(target, image, &reason), c.saves) << reason;
        EXPECT_NE(reason.empty(), !c.saves) << reason;
        EXPECT_EQ(fs::is_symlink(target), link);
        const struct stat after = Stat(target);
        if (existed) {
            EXPECT_EQ(after.st_uid, before.st_uid);
            EXPECT_EQ(after.st_gid, before.st_gid);
            EXPECT_EQ(after.st_mode, before.st_mode);
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
        for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
            EXPECT_FALSE(IsOwnTemporaryName(entry.path().filename().string())) << entry.path();
        }
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

}  // namespace
}  // namespace rvm46::storage
