#include "comm/protocol.h"

#include <algorithm>

namespace rvm46::comm {

namespace {

Outcome PortFailure(Step step, int block, const LineStatus& status) {
    Failure f;
    f.step = step;
    f.kind = FailureKind::kPortError;
    f.block = block;
    f.portMessage = status.message();
    return Outcome::Failed(std::move(f));
}

// Discard unsent output, queue the bytes, discard what came in so far.
LineStatus SendBytes(SerialLine& line, std::span<const std::uint8_t> bytes) {
    if (LineStatus s = line.DiscardOutput(); !s.ok()) return s;
    if (LineStatus s = line.Send(bytes); !s.ok()) return s;
    return line.DiscardInput();
}

Outcome Send(SerialLine& line, std::span<const std::uint8_t> bytes, Step step, int block) {
    const LineStatus s = SendBytes(line, bytes);
    return s.ok() ? Outcome::Success() : PortFailure(step, block, s);
}

Outcome Await(SerialLine& line, std::size_t count, int polls, const Timing& timing, Step step,
              int block) {
    bool ready = false;
    if (LineStatus s = line.WaitForInput(count, timing.Limit(polls), ready); !s.ok()) {
        return PortFailure(step, block, s);
    }
    if (ready) return Outcome::Success();
    Failure f;
    f.step = step;
    f.kind = FailureKind::kTimeout;
    f.block = block;
    f.awaited = count;
    if (LineStatus s = line.InputCount(f.received); !s.ok()) return PortFailure(step, block, s);
    return Outcome::Failed(std::move(f));
}

// Takes the input into gbytReceData and checks its first byte.
Outcome TakeAndCheck(SerialLine& line, ProtocolState& state, std::uint8_t wanted, Step step,
                     int block) {
    state.gbytReceData.clear();
    if (LineStatus s = line.TakeInput(state.gbytReceData); !s.ok()) {
        return PortFailure(step, block, s);
    }
    if (!state.gbytReceData.empty() && state.gbytReceData.front() == wanted) {
        return Outcome::Success();
    }
    Failure f;
    f.step = step;
    f.kind = FailureKind::kWrongReply;
    f.block = block;
    f.wanted = wanted;
    f.got = state.gbytReceData.empty() ? 0 : state.gbytReceData.front();
    return Outcome::Failed(std::move(f));
}

// Sends one control byte through gbyt06H.
Outcome SendControl(SerialLine& line, ProtocolState& state, std::uint8_t byte, Step step,
                    int block) {
    state.gbyt06H = byte;
    return Send(line, std::span(&state.gbyt06H, 1), step, block);
}

}  // namespace

Outcome Handshake(SerialLine& line, ProtocolState& state, const Timing& timing) {
    Outcome o = Send(line, state.gbytLeadCode, Step::kHandshake, -1);
    if (o.ok()) o = Await(line, 1, kOneBytePolls, timing, Step::kHandshake, -1);
    if (o.ok()) o = TakeAndCheck(line, state, kAck, Step::kHandshake, -1);
    if (o.ok()) o = SendControl(line, state, kIdentRequest, Step::kIdent, -1);
    if (o.ok()) o = Await(line, kIdentLength, kFramePolls, timing, Step::kIdent, -1);
    if (o.ok()) state.gintPercentCnt = 0;
    return o;
}

Outcome AcknowledgeExchange(SerialLine& line, ProtocolState& state, int block,
                            const Timing& timing) {
    Outcome o = SendControl(line, state, kAck, Step::kAcknowledge, block);
    if (o.ok()) o = Await(line, 1, kOneBytePolls, timing, Step::kAcknowledge, block);
    if (o.ok()) o = TakeAndCheck(line, state, kAck, Step::kAcknowledge, block);
    return o;
}

void CountBlockFrame(ProtocolState& state, const CodeplugImage& image, int n) {
    ++state.gintPercentCnt;
    auto& frame = state.gbytSendData;
    frame[0] = kWriteCommand;
    frame[3] = kBlockLength;
    if (n < 0 || n >= kBlockCount) return;
    const auto address = BlockAddress(n);
    frame[1] = address[0];
    frame[2] = address[1];
    std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(BlockImageIndex(n)), kBlockSize,
                frame.begin() + 4);
}

Outcome RequestBlock(SerialLine& line, ProtocolState& state, CodeplugImage& image, int n,
                     const Timing& timing) {
    state.gbytReadCmd = {kReadCommand, state.gbytSendData[1], state.gbytSendData[2],
                         state.gbytSendData[3]};
    Outcome o = Send(line, state.gbytReadCmd, Step::kReadBlock, n);
    if (o.ok()) o = Await(line, kReadReplyLength, kFramePolls, timing, Step::kReadBlock, n);
    if (o.ok()) o = TakeAndCheck(line, state, kWriteCommand, Step::kReadBlock, n);
    if (o.ok() && state.gbytReceData.size() < kReadReplyLength) {
        // A line may hand over less than it counted; never read past what came.
        Failure f;
        f.step = Step::kReadBlock;
        f.kind = FailureKind::kWrongReply;
        f.block = n;
        f.wanted = f.got = kWriteCommand;
        f.awaited = kReadReplyLength;
        f.received = state.gbytReceData.size();
        return Outcome::Failed(std::move(f));
    }
    if (o.ok() && n >= 0 && n < kBlockCount) {
        std::copy_n(state.gbytReceData.begin() + 4, kBlockSize,
                    image.begin() + static_cast<std::ptrdiff_t>(BlockImageIndex(n)));
    }
    return o;
}

Outcome SendBlockFrame(SerialLine& line, ProtocolState& state, int n, const Timing& timing) {
    Outcome o = Send(line, state.gbytSendData, Step::kWriteBlock, n);
    if (o.ok()) o = Await(line, 1, kOneBytePolls, timing, Step::kWriteBlock, n);
    if (o.ok()) o = TakeAndCheck(line, state, kAck, Step::kWriteBlock, n);
    return o;
}

Outcome SendClosingAcknowledge(SerialLine& line, ProtocolState& state) {
    return SendControl(line, state, kAck, Step::kClosing, kBlockCount - 1);
}

}  // namespace rvm46::comm
