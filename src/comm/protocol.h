#pragma once
// The programming protocol's steps over a serial line. The program is the master; the radio only
// answers. Each step is exactly what the main window's procedures of the same purpose do on the
// wire, so the window can run them one by one with its own effects in between:
//   SolveLeadCode  = (stop timer, SetConvert) + Handshake
//   SendRece06H    = AcknowledgeExchange
//   InitSendData   = (PercentShow) + CountBlockFrame
//   read block n   = AcknowledgeExchange, InitSendData, RequestBlock
//   write block n  = InitSendData, SendBlockFrame
// Every send is the same three line operations in this order: discard unsent output, queue the
// bytes, discard the input received so far (a late reply to an earlier step is dropped there).
//
// Waits poll: a reply is awaited for at most a poll limit (50 polls for one-byte replies, 75 for
// the 8-byte ident and the 12-byte read reply) of one poll period each, and end the moment
// enough bytes are there.

#include <array>
#include <chrono>
#include <cstdint>

#include "comm/outcome.h"
#include "comm/presence.h"
#include "comm/protocol_state.h"
#include "comm/serial_line.h"
#include "model/codeplug_image.h"

namespace rvm46::comm {

inline constexpr int kOneBytePolls = 50;
inline constexpr int kFramePolls = 75;
// What a 1 ms sleep lasts on the platforms the radio's programming cable was made for.
inline constexpr std::chrono::milliseconds kPollPeriod{16};

inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kIdentRequest = 0x02;
inline constexpr std::uint8_t kReadCommand = 'R';
inline constexpr std::uint8_t kWriteCommand = 'W';
inline constexpr std::uint8_t kBlockLength = 0x08;
inline constexpr int kBlockSize = 8;
inline constexpr int kBlockCount = 128;  // the radio's whole memory
inline constexpr std::size_t kIdentLength = 8;
inline constexpr std::size_t kReadReplyLength = 12;

// The pace of the waits. The defaults are the radio's; tests against a simulated radio, which
// answers at once, run the same steps on shorter clocks.
struct Timing {
    std::chrono::milliseconds pollPeriod = kPollPeriod;
    // Between the programming station's polls for a radio, and how long each waits.
    std::chrono::milliseconds presencePeriod = kPresencePeriod;
    std::chrono::milliseconds presenceWait = kPresenceWait;
    std::chrono::milliseconds Limit(int polls) const { return pollPeriod * polls; }
};

// Radio address of block n (0..127) as sent: high byte n div 32, low byte 8 x (n mod 32).
constexpr std::array<std::uint8_t, 2> BlockAddress(int n) {
    return {static_cast<std::uint8_t>(n / 32), static_cast<std::uint8_t>(8 * (n % 32))};
}
// Image index of the first byte of block n.
constexpr std::size_t BlockImageIndex(int n) {
    return layout::kHeaderSize + kBlockSize * n;
}

// Sends the handshake command (gbytLeadCode) and awaits 06h first; then sends 02h (through
// gbyt06H) and awaits the 8 ident bytes, which are left unread. On success gintPercentCnt = 0.
Outcome Handshake(SerialLine& line, ProtocolState& state, const Timing& timing = {});

// Sends 06h and awaits a reply whose first byte is 06h. `block` only names the exchange in a
// failure (-1 = before the first block).
Outcome AcknowledgeExchange(SerialLine& line, ProtocolState& state, int block,
                            const Timing& timing = {});

// Counts a block frame (gintPercentCnt + 1) and builds the write frame of block n in
// gbytSendData: "W", address, 08h, the block's 8 image bytes. For n outside 0..127 the address and
// data bytes keep their previous contents.
void CountBlockFrame(ProtocolState& state, const CodeplugImage& image, int n);

// Sends the read request "R" + frame bytes 1..3 (gbytReadCmd) and awaits 12 bytes whose first is
// "W"; copies reply bytes 4..11 to the block's image indices. Address and length bytes of the
// reply, and bytes after the twelfth, are not examined.
Outcome RequestBlock(SerialLine& line, ProtocolState& state, CodeplugImage& image, int n,
                     const Timing& timing = {});

// Sends the 12-byte frame in gbytSendData and awaits a reply whose first byte is 06h.
Outcome SendBlockFrame(SerialLine& line, ProtocolState& state, int n, const Timing& timing = {});

// Sends the closing 06h after the last read block; no reply is awaited.
Outcome SendClosingAcknowledge(SerialLine& line, ProtocolState& state);

}  // namespace rvm46::comm
