// csv-export, csv-import and diff as a user calls them: files in, files and words out, statuses.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "support/temp_dir.h"

namespace rvm46 {
namespace {

using testing::DeliveredFile;
using testing::TempDir;

class ChannelVerbsTest : public ::testing::Test {
  protected:
    ChannelVerbsTest() {
        for (const char* name : {"Config_5100.ini", "QTDQT_5100.ini"}) {
            std::filesystem::create_directories(dir_ / "Setting");
            std::filesystem::copy_file(DeliveredFile(name), dir_ / "Setting" / name);
        }
    }

    int Run(std::vector<std::string> args) {
        args.insert(args.begin(), "rvm46");
        std::vector<const char*> argv;
        for (const auto& a : args) argv.push_back(a.c_str());
        out_.str("");
        err_.str("");
        return cli::RunCli(static_cast<int>(argv.size()), argv.data(), dir_.path(), out_, err_);
    }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    std::string Read(const std::string& name) const {
        std::ifstream in(dir_ / name, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    static constexpr const char* kOwnList =
        "Channel,RX MHz,TX MHz,Decode,Encode,Busy Lockout,Shift\n"
        "1,446.00625,446.00625,None,67.0,No,Yes\n"
        "4,446.01,,D023N,,Yes,No\n";

    TempDir dir_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(ChannelVerbsTest, DatToCsvToDatKeepsTheCodeplug) {
    dir_.Write("list.csv", kOwnList);
    ASSERT_EQ(Run({"csv-import", "--model", "4100-446", Path("list.csv"), Path("a.Dat")}), 0)
        << err_.str();
    EXPECT_EQ(err_.str(), "rvm46: note: row 3, RX MHz \"446.01\": snapped to 446.00625\n");
    for (const char* layout : {"own", "generic"}) {
        ASSERT_EQ(Run({"csv-export", "--layout", layout, Path("a.Dat"), Path("b.csv")}), 0);
        ASSERT_EQ(Run({"csv-import", "--model", "1", Path("b.csv"), Path("b.Dat")}), 0);
        ASSERT_EQ(Run({"diff", Path("a.Dat"), Path("b.Dat")}), std::string(layout) == "own" ? 0 : 1)
            << layout;
    }
    // The generic layout has no busy lockout and shift columns.
    EXPECT_EQ(out_.str(), "channel 1: shift Yes -> No\nchannel 4: busy lockout Yes -> No\n");
}

TEST_F(ChannelVerbsTest, ImportTakesTheConfigurationsModelAndDefaults) {
    dir_.Write("list.csv",
               "Channel,RX MHz,TX MHz,Decode,Encode,Busy Lockout,Shift\n"
               "1,446.00625,,,,,\n");
    ASSERT_EQ(Run({"csv-import", Path("list.csv"), Path("a.Dat")}), 0) << err_.str();
    ASSERT_EQ(Run({"decode", Path("a.Dat")}), 0);
    const std::string json = out_.str();
    EXPECT_NE(json.find("\"model\": 1,"), std::string::npos) << json;  // Setting Model=1
    EXPECT_NE(json.find("\"squelch\": 6,"), std::string::npos) << json;
    EXPECT_NE(json.find("\"wide_narrow\": 1,"), std::string::npos) << json;
}

TEST_F(ChannelVerbsTest, RefusedImportWritesNothing) {
    dir_.Write("bad.csv", std::string(kOwnList) + "5,470.5,,,,,\n6,446.00625,,Z,,,\n");
    EXPECT_EQ(Run({"csv-import", "--model", "1", Path("bad.csv"), Path("out.Dat")}), 1);
    EXPECT_EQ(err_.str(), "rvm46: \"" + Path("bad.csv") +
                              "\" refused, nothing written:\n"
                              "  row 4, RX MHz \"470.5\": Out of range!The valid range is "
                              "446.00625-446.09375MHz\n"
                              "  row 5, Decode \"Z\": not a tone of the tone list\n");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "out.Dat"));
}

TEST_F(ChannelVerbsTest, ExitStatuses) {
    dir_.Write("list.csv", kOwnList);
    dir_.Write("a.Dat", std::string(1074, '\xFF'));
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"csv-import", "--model", "9", Path("list.csv"), Path("x.Dat")},
         1,
         "--model 9 is not a model of the configuration (0 4100, 1 4100-446, 2 5100, 3 5100-446)"},
        {{"csv-import", Path("missing.csv"), Path("x.Dat")}, 1, "cannot read"},
        {{"csv-import", Path("a.Dat"), Path("x.Dat")}, 1, "not a comma-separated text file"},
        {{"csv-export", "--layout", "other", Path("a.Dat"), Path("x.csv")}, 2, ""},
        {{"csv-export", Path("missing.Dat"), Path("x.csv")}, 1, "cannot read"},
        {{"diff", Path("a.Dat")}, 2, ""},
        {{"diff", Path("a.Dat"), Path("missing.Dat")}, 2, "cannot read"},
        {{"diff", Path("a.Dat"), Path("a.Dat")}, 0, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Run(c.args), c.status) << c.args[0] << " " << c.args[1];
        EXPECT_NE(err_.str().find(c.message), std::string::npos) << err_.str();
    }
    EXPECT_FALSE(std::filesystem::exists(dir_ / "x.Dat"));
}

}  // namespace
}  // namespace rvm46
