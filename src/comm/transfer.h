#pragma once
// Whole read and write transfers over an open serial line, built from the protocol steps. The
// main window may run these with its hooks, or run the steps itself; the order of effects is the
// same:
//   read:  beforeHandshake, Handshake, then for blocks 0..127: AcknowledgeExchange,
//          blockFrameStarts, CountBlockFrame, RequestBlock; then SendClosingAcknowledge.
//   write: beforeHandshake, Handshake, AcknowledgeExchange, then for blocks 0..122:
//          blockFrameStarts, CountBlockFrame, SendBlockFrame.
// gintSendDataCnt holds the running block. The first failing step ends the transfer; nothing is
// retried. The line is left open either way: the caller closes it (after its own failure
// effects), so a port error mid-transfer never leaves it open behind the caller's back.

#include <functional>

#include "comm/protocol.h"

namespace rvm46::comm {

inline constexpr int kReadBlockCount = 128;   // radio addresses 000h..3FFh
inline constexpr int kWriteBlockCount = 123;  // 000h..3D7h; 3D8h..3FFh are never written

struct TransferHooks {
    // Before anything is sent: the window stops its status timer and rebuilds the image.
    std::function<void()> beforeHandshake;
    // As each block frame starts, before it is counted (the window's progress display).
    std::function<void()> blockFrameStarts;
};

// Reads blocks 0..127 into image indices 50..1073. After a failure at block k, blocks before k
// hold the radio's data and the rest of the image is as it was.
Outcome ReadRadio(SerialLine& line, ProtocolState& state, CodeplugImage& image,
                  const TransferHooks& hooks = {}, const Timing& timing = {});

// Writes blocks 0..122 from image indices 50..1033. `image` is taken by reference because
// beforeHandshake may rebuild it.
Outcome WriteRadio(SerialLine& line, ProtocolState& state, const CodeplugImage& image,
                   const TransferHooks& hooks = {}, const Timing& timing = {});

// Opens `device`, runs the transfer, and closes the line whatever happened. A line that cannot be
// opened gives `openError` with the line's message and runs nothing.
struct DeviceOutcome {
    bool opened = false;
    std::string openError;
    Outcome outcome = Outcome::Success();
    bool ok() const { return opened && outcome.ok(); }
    std::string Message() const { return opened ? outcome.Message() : openError; }
};
DeviceOutcome RunOnDevice(SerialLine& line, const std::string& device,
                          const std::function<Outcome(SerialLine&)>& transfer);

}  // namespace rvm46::comm
