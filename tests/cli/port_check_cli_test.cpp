// `rvm46 ports --check` on a stand-in system: the exit code and the findings it prints.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "cli_fixture.h"

namespace rvm46 {
namespace {

class PortCheckCliTest : public testing::CliTest {};

TEST_F(PortCheckCliTest, ExitCodeSaysWhetherThePortOpens) {
    testing::TempDir root;
    const std::string rootArg = "--system-root=" + root.path().string();
    EXPECT_EQ(Run({"ports", "--check", "/dev/ttyUSB0", rootArg}), 1);
    EXPECT_EQ(out_.str(),
              "/dev/ttyUSB0: cannot be opened.\n"
              "  - /dev/ttyUSB0 does not exist: the cable is not plugged in, or its adapter came "
              "up under another name (`rvm46 ports` lists the serial ports there are).\n");

    root.Write("dev/ttyUSB0", "");
    ::chmod((root / "dev/ttyUSB0").c_str(), 0666);
    root.Write("proc/100/comm", "ModemManager\n");
    EXPECT_EQ(Run({"ports", "--check", "/dev/ttyUSB0", rootArg}), 0) << err_.str();
    EXPECT_EQ(out_.str().substr(0, 47), "/dev/ttyUSB0: can be opened.\n  note: ModemManag");

    EXPECT_EQ(Run({"ports", "--check", rootArg}), 1);
    EXPECT_NE(out_.str().find("no programming cable is plugged in"), std::string::npos);
}

}  // namespace
}  // namespace rvm46
