// The programming protocol and the transfers against the simulated radio in memory: exact line
// traces, where each fault ends a transfer, and what a failed read leaves in the image.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "comm/transfer.h"
#include "comm/transfer_cases.h"
#include "support/simulated_line.h"

namespace rvm46 {
namespace {

using comm::FailureKind;
using comm::Step;
using testing::PatternImage;
using testing::Port;
using testing::SimulatedLine;
using testing::Timeout;
using testing::Wrong;

const radiosim::RadioMemory kMemory = testing::PatternMemory(3);

std::string Block(const std::string& head, const radiosim::RadioMemory& memory, int n) {
    std::vector<std::uint8_t> data(memory.begin() + 8 * n, memory.begin() + 8 * n + 8);
    return head + " " + testing::HexFrame(data);
}

// An open line to the simulated radio holding kMemory, with an optional fault.
struct Session {
    explicit Session(const char* fault = nullptr)
        : line(kMemory, fault ? *radiosim::ParseFault(fault, nullptr) : radiosim::Fault{}) {
        EXPECT_TRUE(line.Open("sim").ok());
    }
    comm::Outcome Read(CodeplugImage& image) { return comm::ReadRadio(line, state, image); }
    comm::Outcome Write(const CodeplugImage& image, const comm::TransferHooks& hooks = {}) {
        return comm::WriteRadio(line, state, image, hooks);
    }
    SimulatedLine line;
    comm::ProtocolState state;
};

TEST(BlockAddressTest, HighByteIsBlockDiv32LowByteIsEightTimesRemainder) {
    const std::vector<std::pair<int, std::array<std::uint8_t, 2>>> table = {
        {0, {0x00, 0x00}},  {31, {0x00, 0xF8}},  {32, {0x01, 0x00}},
        {96, {0x03, 0x00}}, {122, {0x03, 0xD0}}, {127, {0x03, 0xF8}}};
    for (const auto& [n, address] : table) EXPECT_EQ(comm::BlockAddress(n), address) << n;
}

TEST(ProtocolTest, ReadTraceAndImageAndBytesAfterAReplyIgnored) {
    Session s;
    CodeplugImage image = BlankImage();
    const comm::Outcome outcome = s.Read(image);
    ASSERT_TRUE(outcome.ok()) << outcome.Message();

    const auto& t = s.line.trace();
    ASSERT_EQ(t.size(), 4u + 4u * 128u + 1u);
    EXPECT_EQ(t[0], testing::kHandshake);
    EXPECT_EQ(t[1], "< 06");
    EXPECT_EQ(t[2], "> 02");
    EXPECT_EQ(t[3].size(), std::string("< 00 00 00 00 00 00 00 00").size());
    for (int n = 0; n < 128; ++n) {
        const auto a = comm::BlockAddress(n);
        const std::string address = testing::HexFrame({a[0], a[1]});
        const std::size_t at = 4 + 4 * static_cast<std::size_t>(n);
        EXPECT_EQ(t[at], "> 06");
        EXPECT_EQ(t[at + 1], "< 06");
        EXPECT_EQ(t[at + 2], "> 52 " + address + " 08");
        EXPECT_EQ(t[at + 3], Block("< 57 " + address + " 08", kMemory, n));
    }
    EXPECT_EQ(t.back(), "> 06");
    EXPECT_TRUE(std::equal(kMemory.begin(), kMemory.end(), image.begin() + 50));
    EXPECT_EQ(s.state.gintPercentCnt, 128);
    EXPECT_EQ(s.state.gintSendDataCnt, 127);

    // Bytes after a reply are taken and ignored.
    Session extra("extra:9");
    image = BlankImage();
    ASSERT_TRUE(extra.Read(image).ok());
    EXPECT_TRUE(std::equal(kMemory.begin(), kMemory.end(), image.begin() + 50));
}

TEST(ProtocolTest, WriteTraceHooksAndTheTopOfTheMemoryLeftAlone) {
    Session s;
    s.state.gintPercentCnt = 99;
    std::vector<int> shown;
    std::size_t traceAtStart = 99;
    comm::TransferHooks hooks;
    hooks.beforeHandshake = [&] { traceAtStart = s.line.trace().size(); };
    hooks.blockFrameStarts = [&] { shown.push_back(s.state.gintPercentCnt); };
    const CodeplugImage image = PatternImage(1);
    ASSERT_TRUE(s.Write(image, hooks).ok());

    // The hooks run before the handshake and as each frame starts, with the frame's number.
    EXPECT_EQ(traceAtStart, 0u);
    ASSERT_EQ(shown.size(), 123u);
    for (int i = 0; i < 123; ++i) EXPECT_EQ(shown[static_cast<std::size_t>(i)], i);

    const auto& t = s.line.trace();
    ASSERT_EQ(t.size(), 6u + 2u * 123u);
    EXPECT_EQ(t[4], "> 06");
    EXPECT_EQ(t[5], "< 06");
    radiosim::RadioMemory sent = kMemory;  // the written part sent, the top left alone
    std::copy_n(image.begin() + 50, 0x3D8, sent.begin());
    for (int n = 0; n < 123; ++n) {
        const auto a = comm::BlockAddress(n);
        EXPECT_EQ(t[6 + 2 * n], Block("> 57 " + testing::HexFrame({a[0], a[1]}) + " 08", sent, n));
        EXPECT_EQ(t[7 + 2 * n], "< 06");
    }
    EXPECT_EQ(t.back(), "< 06");  // nothing follows the reply to block 122 (03D0)
    EXPECT_EQ(s.line.radio().memory(), sent);
}

TEST(ProtocolTest, FrameOutsideTheMemoryKeepsItsAddressAndData) {
    comm::ProtocolState state;
    const CodeplugImage image = PatternImage(1);
    comm::CountBlockFrame(state, image, 5);
    const auto frame = state.gbytSendData;
    comm::CountBlockFrame(state, BlankImage(), 128);
    comm::CountBlockFrame(state, BlankImage(), -1);
    EXPECT_EQ(state.gbytSendData, frame);
    EXPECT_EQ(state.gintPercentCnt, 3);
}

TEST(ProtocolTest, EachFaultEndsTheTransferAtItsStep) {
    for (const testing::FaultCase& c : testing::kFaultCases) {
        SCOPED_TRACE(std::string(c.fault) + (c.read ? " read" : " write"));
        Session s(c.fault);
        CodeplugImage image = BlankImage();
        const comm::Outcome outcome = c.read ? s.Read(image) : s.Write(image);
        ASSERT_FALSE(outcome.ok());
        EXPECT_EQ(*outcome.failure(), c.failure);
        EXPECT_FALSE(outcome.Message().empty());
        if (c.failure.kind == FailureKind::kTimeout) {  // 50 polls for a byte, 75 for a frame
            ASSERT_EQ(s.line.timeouts().size(), 1u);
            EXPECT_EQ(s.line.timeouts()[0].count(), c.failure.awaited == 1 ? 800 : 1200);
        }
        if (c.lastSent) {
            std::string last;
            for (const auto& frame : s.line.trace())
                if (frame.starts_with(">")) last = frame;
            EXPECT_EQ(last, c.lastSent);
        }
    }
}

// A line that hands over fewer bytes than it counted: nothing past them is read.
TEST(ProtocolTest, AShortReadReplyIsRefused) {
    struct ShortLine : SimulatedLine {
        using SimulatedLine::SimulatedLine;
        comm::LineStatus TakeInput(std::vector<std::uint8_t>& bytes) override {
            comm::LineStatus s = SimulatedLine::TakeInput(bytes);
            if (bytes.size() == 12) bytes.resize(5);
            return s;
        }
    } line(kMemory, radiosim::Fault{});
    ASSERT_TRUE(line.Open("sim").ok());
    comm::ProtocolState state;
    CodeplugImage image = BlankImage();
    const comm::Outcome o = comm::ReadRadio(line, state, image);
    ASSERT_FALSE(o.ok());
    EXPECT_EQ(*o.failure(),
              (comm::Failure{Step::kReadBlock, FailureKind::kWrongReply, 0, 12, 5, 'W', 'W', {}}));
    EXPECT_EQ(o.Message(), "short reply from the radio at block 0 (address 000h): 5 of 12 bytes");
    EXPECT_EQ(image, BlankImage());
}

TEST(RadioTest, AHandshakeCommandStartsOverBetweenFrames) {
    radiosim::Radio radio(kMemory);
    const std::vector<std::uint8_t> lead = {0x02, 'P', 'R', 'O', 'G', 'R', 'A', 'M'};
    std::vector<std::uint8_t> bytes = {0x13, 'W', 0x02,
                                       'P',  'R', 'X'};  // stray, then a false start
    bytes.insert(bytes.end(), lead.begin(), lead.end());
    bytes.push_back(0x02);                                // ident
    bytes.insert(bytes.end(), {'R', 0x00, 0x10, 0x08});   // a read request
    bytes.insert(bytes.end(), lead.begin(), lead.end());  // handshake again, mid-session
    std::vector<std::string> replies;
    for (const auto& ex : radio.Receive(bytes))
        if (!ex.reply.empty()) replies.push_back(testing::HexFrame(ex.reply));
    ASSERT_EQ(replies.size(), 4u);
    EXPECT_EQ(replies[0], "06");
    EXPECT_EQ(replies[1], "52 56 4D 34 36 00 01 00");
    EXPECT_EQ(replies[2].substr(0, 11), "57 00 10 08");
    EXPECT_EQ(replies[3], "06");

    // After a reset only a handshake is answered: a stopped program's next transfer starts clean.
    radio.Reset();
    EXPECT_TRUE(radio.Receive(std::vector<std::uint8_t>{0x06, 0x02})[0].reply.empty());
}

TEST(OutcomeTest, MessagesNameTheStepAndTheBytes) {
    EXPECT_EQ(comm::Outcome::Failed(Timeout(Step::kReadBlock, 12, 12, 3)).Message(),
              "no answer from the radio at block 12 (address 060h): waited for 12 bytes, 3 came");
    EXPECT_EQ(comm::Outcome::Failed(Wrong(Step::kHandshake, -1, 0x06, 0x15)).Message(),
              "the radio refused the handshake: it answered 15h instead of 06h");
    EXPECT_EQ(comm::Outcome::Failed(Wrong(Step::kAcknowledge, 4, 0x06, 0x00)).Message(),
              "wrong reply from the radio at the acknowledge before block 4: first byte 00h "
              "instead of 06h");
    EXPECT_EQ(comm::Outcome::Failed(Port(Step::kReadBlock, 2)).Message(),
              "serial port error at block 2 (address 010h): sim: device disappeared");
    EXPECT_EQ(comm::Outcome::Success().Message(), "");
}

}  // namespace
}  // namespace rvm46
