// The radio verbs of the command line against the simulated radio on a pseudo-terminal, and the
// listing and check of the ports.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <thread>

#include "cli/cli_fixture.h"
#include "serialport/lock_files.h"
#include "storage/image_file.h"
#include "support/simulated_serial_system.h"

namespace rvm46 {
namespace {

const radiosim::RadioMemory kPattern = testing::PatternMemory(0x5A);

using RadioCliTest = testing::CliTest;

TEST_F(RadioCliTest, ReadSavesTheRadioAndWriteSendsTheReencodedFileAfterABackupAndVerifies) {
    auto radio = StartRadio(WithBlankHeader(kPattern));
    // COM1 pinned to the terminal through the configuration's [Ports] section.
    std::ofstream(dir_ / "Setting" / "Config_5100.ini", std::ios::app)
        << "\r\n[Ports]\r\nCOM1=" << radio->device() << "\r\n";
    const std::string out = Path("radio.Dat");
    ASSERT_EQ(Run({"read", "--port", "COM1", out}), 0) << err_.str();
    EXPECT_EQ(err_.str(), "");  // no progress bar when nobody watches
    EXPECT_EQ(storage::ReadImageFile(out, nullptr), WithBlankHeader(kPattern));

    // Watched on a terminal: a bar redrawn per block, ending on its own line.
    ASSERT_EQ(Run({"read", "--port", "COM1", out}, nullptr, true), 0) << err_.str();
    const std::string err = err_.str();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\r'), 128);
    EXPECT_NE(err.find("\rreading [................................] 1/128"), std::string::npos);
    EXPECT_TRUE(err.ends_with("\rreading [################################] 128/128\n")) << err;

    // A write sends the file re-encoded, after a backup, and verifies it.
    const std::string in = Encode();
    std::ofstream(in, std::ios::binary | std::ios::app) << "tail";  // not a data file's length
    const std::string backup = Path("backup.Dat");
    ASSERT_EQ(Run({"write", "--port", radio->device(), "--backup", backup, "--verify", in}), 0)
        << err_.str();
    EXPECT_EQ(err_.str(), "rvm46: warning: \"" + in +
                              "\" is 1078 bytes, longer than a data file (1074 bytes); only its "
                              "first 1074 bytes were read\n");
    radio->Stop();
    const auto sent = storage::ReadImageFile(in, nullptr);
    ASSERT_TRUE(sent);
    EXPECT_EQ(storage::ReadImageFile(backup, nullptr), WithBlankHeader(kPattern));
    radiosim::RadioMemory written = kPattern;  // the file up to 3D8h, the radio's own tail
    std::copy(sent->begin() + 50, sent->begin() + 50 + 0x3D8, written.begin());
    EXPECT_EQ(radio->memory(), written);

    // A radio that stores a byte wrong: the verify names its address.
    auto corrupt = StartRadio(WithBlankHeader(kPattern), "corrupt:0x123");
    EXPECT_EQ(Run({"write", "--port", corrupt->device(), "--verify", in}), 1);
    char expected[80];
    std::snprintf(expected, sizeof expected,
                  "1 address differs:\n  123h: wrote %02Xh, the radio holds %02Xh",
                  (*sent)[50 + 0x123], (*sent)[50 + 0x123] ^ 1);
    EXPECT_NE(err_.str().find(expected), std::string::npos) << err_.str();
}

TEST_F(RadioCliTest, FailuresGiveOneMessageAndNoFile) {
    auto silent = StartRadio(WithBlankHeader(kPattern), "silent:90");
    auto refusing = StartRadio(WithBlankHeader(kPattern), "nak-handshake");
    const std::string out = Path("radio.Dat");
    // A file of an unknown model (the blank image's FFh) is not sent: the radio that refuses
    // the handshake would say so first.
    const std::string blank = Path("blank.Dat");
    ASSERT_TRUE(storage::WriteNewImageFile(blank, BlankImage(), nullptr));
    // The backup named as the data file itself, by another name of the same file.
    const std::string same = Path("same.Dat");
    std::filesystem::create_hard_link(blank, same);
    const std::string noModels = dir_.Write("no-models.ini", "[Setting]\r\nCOM=1\r\n").string();
    const std::string folder = (dir_ / "Setting").string();
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        // A configuration that is missing, a folder, or not one: never the defaults' ports.
        {{"read", "--config", Path("none.ini"), "--port", "COM1", out},
         "configuration file \"" + Path("none.ini") + "\" cannot be read"},
        {{"ports", "--config", folder}, "configuration file \"" + folder + "\" cannot be read"},
        {{"read", "--config", noModels, "--port", silent->device(), out},
         "configuration file \"" + noModels + "\" has no model table"},
        {{"decode", "--config", noModels, out}, "configuration file \"" + noModels + "\" has no"},
        {{"read", "--port", silent->device(), out},
         "reading failed: no answer from the radio at block 90 (address 2D0h)"},
        {{"read", "--port", "/dev/rvm46-none", out},
         "cannot open the serial port: /dev/rvm46-none: no such device"},
        {{"read", "--port", "COM17", out}, "COM17: no such port"},
        {{"write", "--port", silent->device(), Path("missing.Dat")}, "cannot read \""},
        {{"write", "--port", refusing->device(), blank}, '"' + blank + "\": its model code FFh"},
        {{"write", "--port", refusing->device(), "--backup", same, blank},
         "--backup \"" + same + "\" is the data file to write"},
    };
    for (const auto& [args, message] : cases) {
        SCOPED_TRACE(::testing::PrintToString(args));
        EXPECT_EQ(Run(args), 1);
        const std::string err = err_.str();
        EXPECT_THAT(err, ::testing::StartsWith("rvm46: " + message));
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

// The ports a machine without hardware reports, COM numbers first; one this user may not open.
TEST_F(RadioCliTest, PortsListsComNumbersThenTheRestAndPermissionDeniedSaysWhy) {
    std::ofstream(dir_ / "Setting" / "Config_5100.ini", std::ios::app)
        << "\r\n[Ports]\r\nCOM2=/dev/pts/9\r\n";
    testing::SimulatedLine line;
    testing::SimulatedSerialSystem ports(line);
    ports.ports = {{"/dev/ttyS0", "", "", {}, {}},
                   {"/dev/ttyUSB0", "USB-Serial Controller", "Prolific", 0x067b, 0x2303}};
    ASSERT_EQ(Run({"ports"}, &ports), 0) << err_.str();
    const std::string text = out_.str();
    EXPECT_EQ(text.substr(0, text.find("COM4")),
              "COM1  /dev/ttyUSB0  USB-Serial Controller, Prolific (USB 067b:2303)\n"
              "COM2  /dev/pts/9  pinned in [Ports]\n"
              "COM3  /dev/ttyS0\n");
    EXPECT_NE(text.find("COM16 -\n"), std::string::npos);

    line.FailOpen("permission denied");
    EXPECT_EQ(Run({"read", "--port", "COM1", Path("radio.Dat")}, &ports), 1);
    EXPECT_EQ(err_.str(),
              "rvm46: cannot open the serial port: /dev/ttyUSB0: permission denied\n"
              "(the user must be allowed to use serial ports: on most systems, be a member of the "
              "group \"dialout\" or \"uucp\", then log in again)\n");
}

// `ports --check` on a stand-in system: the exit code and the findings it prints.
TEST_F(RadioCliTest, PortsCheckExitCodeSaysWhetherThePortOpens) {
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

// Ctrl+C during a transfer closes the line (and with it the port's lock file) and says so; a lock
// file a killed process left behind is named with the command that removes it.
TEST_F(RadioCliTest, AStopSignalClosesTheLineAndAStaleLockIsNamed) {
    auto radio = StartRadio(WithBlankHeader(kPattern), "silent:0");
    std::thread interrupt([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        kill(getpid(), SIGINT);
    });
    // At the radio's pace: the first wait (1.2 s) outlasts the signal's delay, and is cut short.
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Run({"read", "--port", radio->device(), Path("radio.Dat")}, nullptr, false, {}), 1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(900));
    interrupt.join();
    EXPECT_EQ(err_.str(),
              "rvm46: reading stopped by SIGINT (Ctrl+C): the serial line was closed\n");
    const std::string pts = radio->device().substr(5);
    std::string lock = "/var/lock/LCK.." + pts;
    std::replace(lock.begin() + 10, lock.end(), '/', '_');
    EXPECT_FALSE(std::filesystem::exists(lock));

    const pid_t gone = fork();
    if (gone == 0) _exit(0);
    waitpid(gone, nullptr, 0);
    const std::string file = "/tmp/LCK..rvm46-stale-" + std::to_string(gone);
    std::ofstream(file) << "     " << gone << "\nrvm46\nhost\n";
    const auto stale = serialport::FindStaleLock("/dev/rvm46-stale-" + std::to_string(gone));
    ASSERT_TRUE(stale.has_value());
    EXPECT_EQ(serialport::DescribeStaleLock(*stale),
              "locked by a lock file that process " + std::to_string(gone) +
                  " left behind and that no longer runs; remove it with: rm " + file);
    std::filesystem::remove(file);
}

}  // namespace
}  // namespace rvm46
