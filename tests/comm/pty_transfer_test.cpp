// Transfers end to end: the Qt serial line on a real pseudo-terminal, served by the simulator
// program started with its options. Failures must name the step and leave the line closed; the
// simulator saves what was written, traces every frame and removes its link when stopped.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "comm/transfer.h"
#include "comm/transfer_cases.h"
#include "serialport/qt_serial_line.h"
#include "storage/image_file.h"
#include "support/pty_radio.h"
#include "support/temp_dir.h"

namespace rvm46 {
namespace {

using comm::FailureKind;
using testing::PatternImage;

// The simulator started with arguments: the lines it prints, and its exit status once ended.
class Simulator {
  public:
    explicit Simulator(const std::string& args) {
        // The shell prints its process number, then becomes the simulator.
        const std::string command =
            "echo $$; exec " RVM46_PROGRAM_DIR "/rvm46-radiosim " + args + " 2>&1";
        output_ = popen(command.c_str(), "r");
        pid_ = std::stoi(Line());
    }
    ~Simulator() { Stop(); }
    // The next line it printed: the device it serves, a new one after a hang-up, or an error.
    std::string Line() {
        char line[512] = {};
        if (!output_ || !std::fgets(line, sizeof line, output_)) return "";
        std::string text = line;
        return text.ends_with('\n') ? text.substr(0, text.size() - 1) : text;
    }
    // Stops it (SIGTERM) if it still runs, and gives its exit status.
    int Stop(bool terminate = true) {
        if (output_) {
            if (terminate) kill(pid_, SIGTERM);
            const int status = pclose(output_);
            output_ = nullptr;
            status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        return status_;
    }

  private:
    std::FILE* output_ = nullptr;
    pid_t pid_ = -1;
    int status_ = -1;
};

comm::DeviceOutcome Transfer(const std::string& device, CodeplugImage& image, bool read) {
    serialport::QtSerialLine line;
    comm::ProtocolState state;
    auto result = comm::RunOnDevice(line, device, [&](comm::SerialLine& l) {
        const comm::Timing& t = testing::kSimulatorTiming;
        return read ? comm::ReadRadio(l, state, image, {}, t)
                    : comm::WriteRadio(l, state, image, {}, t);
    });
    EXPECT_FALSE(line.IsOpen());
    return result;
}

class PtyTransferTest : public ::testing::Test {
  protected:
    testing::TempDir dir_;
    const std::string link_ = (dir_ / "radio").string();
};

TEST_F(PtyTransferTest, ReadThenWriteSavedTracedAndTheLinkRemoved) {
    const CodeplugImage start = PatternImage(1);
    ASSERT_TRUE(storage::WriteNewImageFile(dir_ / "in.Dat", start, nullptr));
    Simulator sim("--image " + (dir_ / "in.Dat").string() + " --save " +
                  (dir_ / "out.Dat").string() + " --trace " + (dir_ / "trace.txt").string() +
                  " --link " + link_ + " --latency 1");
    ASSERT_EQ(sim.Line(), link_);

    CodeplugImage image = BlankImage();
    const auto begin = std::chrono::steady_clock::now();
    auto result = Transfer(link_, image, true);
    const auto took = std::chrono::steady_clock::now() - begin;
    ASSERT_TRUE(result.ok()) << result.Message();
    EXPECT_TRUE(std::equal(image.begin() + 50, image.end(), start.begin() + 50));
    // Waits end as soon as the reply is there: 257 exchanges take far less than a poll each.
    EXPECT_LT(took, std::chrono::milliseconds(1500));

    CodeplugImage sent = PatternImage(2);
    result = Transfer(link_, sent, false);
    ASSERT_TRUE(result.ok()) << result.Message();

    EXPECT_EQ(sim.Stop(), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link_)));
    CodeplugImage saved = start;  // the written part sent, the header and the top kept
    std::copy_n(sent.begin() + 50, 0x3D8, saved.begin() + 50);
    EXPECT_EQ(storage::ReadImageFile(dir_ / "out.Dat", nullptr), saved);

    // Every frame both ways, after its time stamp: the read's 517, then the write's 252.
    std::ifstream in(dir_ / "trace.txt");
    std::vector<std::string> frames;
    for (std::string line; std::getline(in, line);)
        frames.push_back(line.substr(line.find(' ') + 1));
    ASSERT_EQ(frames.size(), 517u + 252u);
    EXPECT_EQ(frames[0], "> 02 50 52 4F 47 52 41 4D");
    EXPECT_EQ(frames[1], "< 06");
    EXPECT_EQ(frames[516], "> 06");
    EXPECT_EQ(frames[frames.size() - 2].substr(0, 14), "> 57 03 D0 08 ");
}

TEST_F(PtyTransferTest, FaultsFailAtTheirStepInTimeLeaveTheLineClosedAndAHangUpServesAgain) {
    int run = 0, servedAgain = 0;
    for (const testing::FaultCase& c : testing::kFaultCases) {
        if (!c.onPty) continue;
        ++run;
        SCOPED_TRACE(std::string(c.fault) + (c.read ? " read" : " write"));
        Simulator sim("--fault " + std::string(c.fault) + " --link " + link_);
        ASSERT_EQ(sim.Line(), link_);
        CodeplugImage image = BlankImage();
        const auto start = std::chrono::steady_clock::now();
        const auto result = Transfer(link_, image, c.read);
        const auto took = std::chrono::steady_clock::now() - start;
        ASSERT_TRUE(result.opened) << result.Message();
        ASSERT_FALSE(result.outcome.ok());
        comm::Failure expected = c.failure;
        expected.portMessage = result.outcome.failure()->portMessage;  // the real line's words
        EXPECT_EQ(*result.outcome.failure(), expected) << result.Message();
        // A time-out waits out its whole limit, and no wait outlasts it by far.
        if (c.failure.kind == FailureKind::kTimeout) {
            const int polls = c.failure.awaited == 1 ? comm::kOneBytePolls : comm::kFramePolls;
            EXPECT_GE(took, testing::kSimulatorTiming.Limit(polls));
        }
        EXPECT_LT(took, std::chrono::milliseconds(1000));
        if (c.failure.kind != FailureKind::kPortError || !c.read) continue;
        // A hung-up radio comes back on a new terminal behind the same link; a write stops at
        // the same block.
        EXPECT_NE(result.Message().find("device disappeared"), std::string::npos);
        EXPECT_EQ(sim.Line(), link_);
        const auto again = Transfer(link_, image, false);
        ASSERT_TRUE(again.opened) << again.Message();
        EXPECT_EQ(again.outcome.failure()->block, c.failure.block);
        ++servedAgain;
    }
    EXPECT_EQ(run, 6);  // the marks of the shared table, the served-again case among them
    EXPECT_EQ(servedAgain, 1);
}

// (A missing device is named by the command line's read of /dev/rvm46-none.)
TEST_F(PtyTransferTest, NonPortsBadFaultAndMissingImageAreReported) {
    CodeplugImage image = BlankImage();
    // What is there but is no serial port is named, not the system's "Inappropriate ioctl".
    const std::string pipe = (dir_ / "pipe").string();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    for (const auto& [device, kind] : std::vector<std::pair<std::string, std::string>>{
             {"/dev/null", "a device that is not a terminal"},
             {pipe, "a pipe"},
             {dir_.Write("plain", "x").string(), "a plain file"}}) {
        EXPECT_EQ(Transfer(device, image, true).Message(),
                  device + ": not a serial port (" + kind +
                      "); choose the port of the programming cable");
    }

    Simulator fault("--fault silent:128");
    EXPECT_NE(fault.Line().find("unknown fault \"silent:128\""), std::string::npos);
    EXPECT_EQ(fault.Stop(false), 1);
    Simulator missing("--image /nonexistent/x.Dat");
    EXPECT_NE(missing.Line().find("cannot read \"/nonexistent/x.Dat\""), std::string::npos);
    EXPECT_EQ(missing.Stop(false), 1);
}

// A program killed with the port open leaves the terminal in exclusive mode, which would refuse
// every later opening by an ordinary user; the simulator gives it up when the program's end closes.
TEST_F(PtyTransferTest, TheSimulatorDropsExclusiveModeWhenTheProgramCloses) {
    Simulator sim("");
    const std::string device = sim.Line();
    const int killed = open(device.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(killed, 0);
    ASSERT_EQ(ioctl(killed, TIOCEXCL), 0);
    close(killed);  // as the system does for a killed program: exclusive mode stays
    int exclusive = 1;
    for (int i = 0; i < 40 && exclusive != 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
        // Only root opens a terminal in exclusive mode; anyone else is refused while it lasts.
        const int fd = open(device.c_str(), O_RDWR | O_NOCTTY);
        if (fd < 0) continue;
        ASSERT_EQ(ioctl(fd, TIOCGEXCL, &exclusive), 0);
        close(fd);
    }
    EXPECT_EQ(exclusive, 0);
}

}  // namespace
}  // namespace rvm46
