// The recent-file list: newest first, a cap of ten, duplicates kept, and its menu captions.
#include "storage/recent_files.h"

#include <gtest/gtest.h>

namespace rvm46::storage {
namespace {

TEST(RecentFiles, NewestFirstCappedAtTenWithDuplicatesKept) {
    RecentFileArray files;
    std::string count = "0";
    for (int n = 1; n <= 11; ++n) count = PushRecentFile(files, count, "/f" + std::to_string(n));
    EXPECT_EQ(count, "10");
    for (int i = 1; i <= 10; ++i) EXPECT_EQ(files[i], "/f" + std::to_string(12 - i)) << i;

    count = PushRecentFile(files, count, "/f11");
    EXPECT_EQ(count, "10");
    EXPECT_EQ(files[1], "/f11");
    EXPECT_EQ(files[2], "/f11");
    EXPECT_EQ(files[10], "/f3");
}

TEST(RecentFiles, CountTextThatIsNotANumberCountsAsEmpty) {
    RecentFileArray files;
    EXPECT_EQ(PushRecentFile(files, "", "/a"), "1");
    EXPECT_EQ(PushRecentFile(files, "x", "/b"), "1");
    EXPECT_EQ(files[1], "/b");
    EXPECT_EQ(RecentFileCount("12"), 10);
}

TEST(RecentFiles, CaptionIsAccessKeyPositionTwoSpacesAndPath) {
    EXPECT_EQ(RecentFileCaption(1, "/home/d/a.Dat"), "&1  /home/d/a.Dat");
    EXPECT_EQ(RecentFileCaption(10, "/x"), "&10  /x");
}

}  // namespace
}  // namespace rvm46::storage
