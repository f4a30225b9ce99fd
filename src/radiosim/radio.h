#pragma once
// The radio's side of the programming protocol, as plain logic: bytes from the program go in,
// the radio's answers come out. The simulator program puts it on a pseudo-terminal; the tests run
// it in memory. It serves transfer after transfer; a handshake command starts over at any time
// between frames.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rvm46::radiosim {

using RadioMemory = std::array<std::uint8_t, 1024>;

// One fault to inject, on every transfer.
struct Fault {
    enum class Kind {
        kNone,
        kNakHandshake,      // answer the handshake command with 15h
        kSilentHandshake,   // never answer the handshake command
        kGarbageHandshake,  // send stray bytes before the handshake reply
        kShortIdent,        // answer the ident request with 5 bytes instead of 8
        kSilentBlock,       // no answer to the request or frame of block n
        kWrongBlock,        // first reply byte 15h at block n
        kExtraBytes,        // 4 stray bytes after the read reply of block n
        kHangUp,            // close the line on the request or frame of block n
        kCorruptStore,      // store the byte at radio address n wrong (bits flipped)
        kSilentAck,         // no answer to the 06h before block n (n = 128: the closing one)
        kWrongAck,          // answer 15h to the 06h before block n
        kHangUpAck,         // close the line on the 06h before block n
    };
    Kind kind = Kind::kNone;
    int n = 0;  // block, or address for kCorruptStore
};

// "nak-handshake", "silent-handshake", "garbage-handshake", "short-ident", "silent:N",
// "wrong:N", "extra:N", "hangup:N" (block N, 0..127), "corrupt:ADDR" (0..1023, decimal or 0x..),
// "ack-silent:N", "ack-wrong:N", "ack-hangup:N" (the N-th 06h of a session, 0..128: a read sends
// one before each block and the closing one as the 129th, a write one before block 0).
// nullopt with a reason in *error for anything else.
std::optional<Fault> ParseFault(std::string_view text, std::string* error);

// What the radio does about one complete frame from the program.
struct Exchange {
    std::vector<std::uint8_t> received;  // the frame as it came
    std::vector<std::uint8_t> reply;     // the answer (may be empty)
    bool hangUp = false;                 // the radio closes the line instead of answering
    bool writeCompleted = false;         // the last block of a write was stored
};

class Radio {
  public:
    explicit Radio(const RadioMemory& memory, Fault fault = {});
    // A never-programmed radio: all FFh.
    static RadioMemory BlankMemory();

    // Feeds bytes from the program; returns the exchanges completed by them, in order.
    std::vector<Exchange> Receive(std::span<const std::uint8_t> bytes);

    const RadioMemory& memory() const { return memory_; }

    // Forgets a half-done session, as the radio does after a pause on the line: only a handshake
    // command is answered next.
    void Reset() {
        state_ = State::kIdle;
        pending_.clear();
    }

    // The ident the radio answers with.
    static constexpr std::array<std::uint8_t, 8> kIdent = {'R', 'V',  'M',  '4',
                                                           '6', 0x00, 0x01, 0x00};
    static constexpr int kLastWrittenAddress = 0x3D0;  // a write ends with this block
    static constexpr int kLastReadAddress = 0x3F8;     // a read ends with this block

  private:
    enum class State { kIdle, kAwaitIdent, kSession, kClosing };
    Exchange Answer(std::vector<std::uint8_t> frame);
    Exchange AnswerHandshake(std::vector<std::uint8_t> frame);
    Exchange AnswerBlock(std::vector<std::uint8_t> frame);
    std::size_t FrameLength(std::uint8_t first) const;
    bool FaultAt(Fault::Kind kind, int block) const;

    RadioMemory memory_;
    Fault fault_;
    State state_ = State::kIdle;
    std::vector<std::uint8_t> pending_;  // bytes of the frame being received
    int acks_ = 0;                       // 06h received since the session's ident
};

}  // namespace rvm46::radiosim
