// Transfers end to end: the Qt serial line on a real pseudo-terminal with the simulated radio on
// the other end. Failures must name the step and leave the line closed.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "comm/transfer.h"
#include "serialport/qt_serial_line.h"
#include "storage/image_file.h"
#include "support/pty_radio.h"
#include "support/temp_dir.h"

namespace rvm46 {
namespace {

using comm::FailureKind;
using comm::Step;
using testing::PtyRadio;

CodeplugImage PatternImage(int seed) {
    CodeplugImage image = BlankImage();
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<std::uint8_t>(i * 31 + static_cast<std::size_t>(seed));
    }
    return image;
}

radiosim::ServerOptions Options(const CodeplugImage& image, const char* fault = nullptr) {
    radiosim::ServerOptions options;
    options.image = image;
    options.blankMemory = false;
    if (fault) options.fault = *radiosim::ParseFault(fault, nullptr);
    return options;
}

comm::DeviceOutcome Read(const std::string& device, CodeplugImage& image) {
    serialport::QtSerialLine line;
    comm::ProtocolState state;
    auto result = comm::RunOnDevice(
        line, device, [&](comm::SerialLine& l) { return comm::ReadRadio(l, state, image); });
    EXPECT_FALSE(line.IsOpen());
    return result;
}

comm::DeviceOutcome Write(const std::string& device, const CodeplugImage& image) {
    serialport::QtSerialLine line;
    comm::ProtocolState state;
    auto result = comm::RunOnDevice(
        line, device, [&](comm::SerialLine& l) { return comm::WriteRadio(l, state, image); });
    EXPECT_FALSE(line.IsOpen());
    return result;
}

TEST(PtyTransferTest, ReadThenWriteRoundTripAndSave) {
    testing::TempDir dir;
    const CodeplugImage radioImage = PatternImage(1);
    radiosim::ServerOptions options = Options(radioImage);
    options.save = dir / "saved.Dat";
    PtyRadio radio(options);
    ASSERT_TRUE(radio.started()) << radio.error();

    CodeplugImage image = BlankImage();
    const auto start = std::chrono::steady_clock::now();
    auto result = Read(radio.device(), image);
    const auto took = std::chrono::steady_clock::now() - start;
    ASSERT_TRUE(result.ok()) << result.Message();
    EXPECT_TRUE(std::equal(image.begin() + 50, image.end(), radioImage.begin() + 50));
    // Waits end as soon as the reply is there: 257 exchanges take far less than a poll each.
    EXPECT_LT(took, std::chrono::milliseconds(1500));

    const CodeplugImage sent = PatternImage(2);
    result = Write(radio.device(), sent);
    ASSERT_TRUE(result.ok()) << result.Message();
    radio.Stop();
    EXPECT_EQ(radio.writes(), 1);
    EXPECT_TRUE(
        std::equal(radio.memory().begin(), radio.memory().begin() + 0x3D8, sent.begin() + 50));
    EXPECT_TRUE(std::equal(radio.memory().begin() + 0x3D8, radio.memory().end(),
                           radioImage.begin() + 50 + 0x3D8));
    const auto saved = storage::ReadImageFile(dir / "saved.Dat", nullptr);
    ASSERT_TRUE(saved.has_value());
    EXPECT_TRUE(std::equal(saved->begin(), saved->begin() + 50, radioImage.begin()));
    EXPECT_TRUE(std::equal(saved->begin() + 50, saved->end(), radio.memory().begin()));
}

struct PtyFault {
    const char* fault;
    bool read;
    Step step;
    FailureKind kind;
    int block;
};

TEST(PtyTransferTest, FaultsFailAtTheirStepAndLeaveTheLineClosed) {
    const std::vector<PtyFault> cases = {
        {"nak-handshake", true, Step::kHandshake, FailureKind::kWrongReply, -1},
        {"garbage-handshake", false, Step::kHandshake, FailureKind::kWrongReply, -1},
        {"silent-handshake", false, Step::kHandshake, FailureKind::kTimeout, -1},
        {"short-ident", true, Step::kIdent, FailureKind::kTimeout, -1},
        {"silent:64", true, Step::kReadBlock, FailureKind::kTimeout, 64},
        {"wrong:122", false, Step::kWriteBlock, FailureKind::kWrongReply, 122},
        {"hangup:10", true, Step::kReadBlock, FailureKind::kPortError, 10},
        {"hangup:5", false, Step::kWriteBlock, FailureKind::kPortError, 5},
    };
    for (const PtyFault& c : cases) {
        SCOPED_TRACE(std::string(c.fault) + (c.read ? " read" : " write"));
        PtyRadio radio(Options(PatternImage(3), c.fault));
        ASSERT_TRUE(radio.started()) << radio.error();
        CodeplugImage image = BlankImage();
        const auto start = std::chrono::steady_clock::now();
        const auto result = c.read ? Read(radio.device(), image) : Write(radio.device(), image);
        const auto took = std::chrono::steady_clock::now() - start;
        ASSERT_TRUE(result.opened) << result.Message();
        ASSERT_FALSE(result.outcome.ok());
        const comm::Failure& f = *result.outcome.failure();
        EXPECT_EQ(f.step, c.step);
        EXPECT_EQ(f.kind, c.kind) << result.Message();
        EXPECT_EQ(f.block, c.block);
        EXPECT_LT(took, std::chrono::milliseconds(2500));
    }
}

TEST(PtyTransferTest, AHungUpRadioServesAgainThroughItsLink) {
    testing::TempDir dir;
    const CodeplugImage radioImage = PatternImage(4);
    radiosim::ServerOptions options = Options(radioImage, "hangup:100");
    options.link = dir / "radio";
    PtyRadio radio(options);
    ASSERT_TRUE(radio.started()) << radio.error();
    CodeplugImage image = BlankImage();
    auto result = Read((dir / "radio").string(), image);
    ASSERT_FALSE(result.ok());
    EXPECT_NE(result.Message().find("device disappeared"), std::string::npos) << result.Message();
    // Blocks before the failing one hold the radio's data; the rest is as it was.
    EXPECT_TRUE(std::equal(image.begin() + 50, image.begin() + 50 + 800, radioImage.begin() + 50));
    EXPECT_TRUE(std::all_of(image.begin() + 850, image.end(), [](auto b) { return b == 0xFF; }));

    // The radio came back on a new terminal behind the same link; a write stops at the block.
    for (int i = 0; i < 100 && radio.terminals() == 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    result = Write((dir / "radio").string(), image);
    ASSERT_TRUE(result.opened) << result.Message();
    EXPECT_EQ(result.outcome.failure()->block, 100);
}

TEST(PtyTransferTest, MissingDeviceIsReportedWithItsPath) {
    CodeplugImage image = BlankImage();
    const auto result = Read("/dev/rvm46-no-such-port", image);
    EXPECT_FALSE(result.opened);
    EXPECT_EQ(result.Message(), "/dev/rvm46-no-such-port: no such device");
}

TEST(PtyTransferTest, TraceRecordsEveryFrameBothWays) {
    testing::TempDir dir;
    radiosim::ServerOptions options = Options(PatternImage(5));
    std::FILE* trace = std::fopen((dir / "trace.txt").c_str(), "w");
    ASSERT_NE(trace, nullptr);
    options.trace = trace;
    {
        PtyRadio radio(options);
        ASSERT_TRUE(radio.started()) << radio.error();
        CodeplugImage image = BlankImage();
        ASSERT_TRUE(Write(radio.device(), image).ok());
    }
    std::fclose(trace);
    std::ifstream in(dir / "trace.txt");
    std::vector<std::string> frames;
    for (std::string line; std::getline(in, line);)
        frames.push_back(line.substr(line.find(' ') + 1));
    ASSERT_EQ(frames.size(), 6u + 2u * 123u);
    EXPECT_EQ(frames[0], "> 02 50 52 4F 47 52 41 4D");
    EXPECT_EQ(frames[1], "< 06");
    EXPECT_EQ(frames[2], "> 02");
    EXPECT_EQ(frames[4], "> 06");
    EXPECT_EQ(frames[5], "< 06");
    EXPECT_EQ(frames[frames.size() - 2].substr(0, 14), "> 57 03 D0 08 ");
}

}  // namespace
}  // namespace rvm46
