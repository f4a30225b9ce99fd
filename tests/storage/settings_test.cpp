// The configuration file as the program uses it: one reading per load, and writes in groups that
// later reads see.
#include "storage/settings.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/temp_dir.h"

namespace rvm46::storage {
namespace {

TEST(ConfigFileTest, ReadsTheFileOnceAndSeesItsOwnWrites) {
    rvm46::testing::TempDir folder;
    const auto file = folder.Write("Config.ini",
                                   "[Setting]\nCOM=3\nPath=/x.Dat\n[Model]\nModCnt=2\n0=A\n3=65.4\n"
                                   "100=7.5\n[Default]\nTimeOut=:\nSql=9\n");
    ConfigFile config(file);
    // Changed behind its back: the reading made when it was loaded stands.
    folder.Write("Config.ini", "[Model]\nModCnt=5\n");
    const ModelTable models = config.ReadModelTable();
    EXPECT_EQ(models.gintModelCount, 2);
    EXPECT_EQ(models.gstrModel[0], "A");
    EXPECT_EQ(ModelCode(models, 0), 65);
    EXPECT_EQ(models.gintModelData[0], 8);
    EXPECT_EQ(config.ReadDefaults().timeOut, 2);  // ':' follows '9' but is no digit
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

}  // namespace
}  // namespace rvm46::storage
