// The installed launcher: the user's folder gets the delivered files once; a newer installed help
// replaces the user's copy, the user's settings are never replaced.
#include <gtest/gtest.h>

#include <cstdlib>

#include "support/temp_dir.h"

namespace rvm46::testing {
namespace {

namespace fs = std::filesystem;

TEST(LauncherTest, RefreshesHelpButNeverTheUsersSettings) {
    TempDir dir;
    const fs::path program = dir / "prefix/lib/rvm46", user = dir / "data/rvm46";
    fs::create_directories(dir / "prefix/bin");
    fs::copy_file(RVM46_SOURCE_DIR "/scripts/rvm46-programmer-launcher", dir / "prefix/bin/l");
    // The program learns the launcher's name, to suggest it when there is no display.
    dir.Write("prefix/lib/rvm46/rvm46-programmer",
              "#!/bin/sh\nprintf %s \"$RVM46_COMMAND\" >\"$2/ran\"\n");
    fs::permissions(program / "rvm46-programmer", fs::perms::owner_all);
    const std::string run =
        "XDG_DATA_HOME=" + (dir / "data").string() + " sh " + (dir / "prefix/bin/l").string();
    const auto deliver = [&](const char* help, const char* config) {
        const auto later = fs::file_time_type::clock::now() + std::chrono::hours(1);
        for (const auto& [name, text] : {std::pair{"Help/EngHELP_5100.chm", help},
                                         std::pair{"Setting/Config_5100.ini", config}}) {
            fs::last_write_time(dir.Write("prefix/lib/rvm46/" + std::string(name), text), later);
        }
        ASSERT_EQ(std::system(run.c_str()), 0);
    };
    deliver("help 1", "delivered");
    EXPECT_EQ(FileBytes(user / "ran"), (dir / "prefix/bin/l").string());
    EXPECT_EQ(FileBytes(user / "Help/EngHELP_5100.chm"), "help 1");
    dir.Write("data/rvm46/Setting/Config_5100.ini", "the user's");
    // Newer installed files: the help replaces the user's copy, the configuration does not.
    deliver("help 2", "delivered 2");
    EXPECT_EQ(FileBytes(user / "Help/EngHELP_5100.chm"), "help 2");
    EXPECT_EQ(FileBytes(user / "Setting/Config_5100.ini"), "the user's");
}

}  // namespace
}  // namespace rvm46::testing
