// Kept versions: their names, a save that keeps what the file held, a folder that cannot take
// them, and the retention rule.
#include "storage/kept_versions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "storage/image_file.h"
#include "support/temp_dir.h"

namespace rvm46::storage {
namespace {

namespace fs = std::filesystem;
using rvm46::testing::TempDir;
constexpr auto Bytes = rvm46::testing::FileBytes;
using namespace std::chrono_literals;

// 2026-12-07 03:15:00 local time.
KeptClock::time_point When() {
    std::tm local{};
    local.tm_year = 126;
    local.tm_mon = 11;
    local.tm_mday = 7;
    local.tm_hour = 3;
    local.tm_min = 15;
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
    const std::uint8_t byte = 1;
    const auto first = KeepVersion({&byte, 1}, backup, "Read", ".Dat", &reason, When());
    const auto second = KeepVersion({&byte, 1}, backup, "Read", ".Dat", &reason, When());
    ASSERT_TRUE(first && second) << reason;
    EXPECT_EQ(first->filename(), "Read_20261207_031500.Dat");
    EXPECT_EQ(second->filename(), "Read_20261207_031500_2.Dat");
}

TEST(KeptVersions, OldFilesGoOnlyBeyondTheNewestAndOnlyNamesOfOurPattern) {
    TempDir dir;
    const auto now = When();
    const std::uint8_t byte = 1;
    std::string reason;
    // Three of 100 days ago, two of yesterday, and a file of the user's.
    for (int i = 0; i < 3; ++i)
        KeepVersion({&byte, 1}, dir.path(), "old", ".Dat", &reason, now - 2400h);
    for (int i = 0; i < 2; ++i)
        KeepVersion({&byte, 1}, dir.path(), "new", ".csv", &reason, now - 24h);
    dir.Write("notes_20200101_000000.txt.bak", "mine");
    dir.Write("mine.Dat", "mine");

    EXPECT_EQ(PruneKeptVersions(dir.path(), now, Retention{2401h, 1}), 0u);  // all young enough
    EXPECT_EQ(PruneKeptVersions(dir.path(), now, Retention{2399h, 5}), 0u);  // the newest five
    EXPECT_EQ(PruneKeptVersions(dir.path(), now, Retention{2399h, 3}), 2u);
    EXPECT_EQ(PruneKeptVersions(dir.path(), now, Retention{48h, 0}), 1u);  // young ones stay
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(dir.path())) {
        left.push_back(entry.path().filename().string().substr(0, 4));
    }
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"mine", "new_", "new_", "note"}));
}

}  // namespace
}  // namespace rvm46::storage
