// The installed launcher: the user's folder gets the delivered files once; a newer installed help
// replaces the user's copy, the user's settings are never replaced.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "support/temp_dir.h"

namespace rvm46::testing {
namespace {

namespace fs = std::filesystem;

std::string Text(const fs::path& file) {
    std::ifstream in(file);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(LauncherTest, RefreshesHelpButNeverTheUsersSettings) {
    TempDir dir;
    const fs::path program = dir / "prefix/lib/rvm46";
    fs::create_directories(dir / "prefix/bin");
    fs::copy_file(RVM46_SOURCE_DIR "/scripts/rvm46-programmer-launcher",
                  dir / "prefix/bin/rvm46-programmer");
    dir.Write("prefix/lib/rvm46/rvm46-programmer", "#!/bin/sh\necho \"$2\" > \"$2/ran\"\n");
    fs::permissions(program / "rvm46-programmer", fs::perms::owner_all);
    dir.Write("prefix/lib/rvm46/Setting/Config_5100.ini", "delivered");
    dir.Write("prefix/lib/rvm46/Help/EngHELP_5100.chm", "help 1");
    const fs::path user = dir / "data/rvm46";
    const std::string run = "XDG_DATA_HOME=" + (dir / "data").string() + " sh " +
                            (dir / "prefix/bin/rvm46-programmer").string();

    ASSERT_EQ(std::system(run.c_str()), 0);
    EXPECT_EQ(Text(user / "ran"), user.string() + "\n");
    EXPECT_EQ(Text(user / "Help/EngHELP_5100.chm"), "help 1");
    dir.Write("data/rvm46/Setting/Config_5100.ini", "the user's");

    // A newer installed help replaces the copy; a newer delivered configuration does not.
    const auto later = fs::file_time_type::clock::now() + std::chrono::hours(1);
    dir.Write("prefix/lib/rvm46/Help/EngHELP_5100.chm", "help 2");
    dir.Write("prefix/lib/rvm46/Setting/Config_5100.ini", "delivered 2");
    fs::last_write_time(program / "Help/EngHELP_5100.chm", later);
    fs::last_write_time(program / "Setting/Config_5100.ini", later);
    ASSERT_EQ(std::system(run.c_str()), 0);
    EXPECT_EQ(Text(user / "Help/EngHELP_5100.chm"), "help 2");
    EXPECT_EQ(Text(user / "Setting/Config_5100.ini"), "the user's");
}

}  // namespace
}  // namespace rvm46::testing
