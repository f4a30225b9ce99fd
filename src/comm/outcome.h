#pragma once
// The outcome of a protocol step or a whole transfer: success, or which step failed and why.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace rvm46::comm {

enum class Step {
    kHandshake,    // the handshake command and its 06h reply
    kIdent,        // 02h and the 8-byte ident reply
    kAcknowledge,  // an 06h/06h exchange
    kReadBlock,    // a read request and its 12-byte reply
    kWriteBlock,   // a write frame and its 06h reply
    kClosing,      // the closing 06h after the last read block
};

enum class FailureKind {
    kTimeout,     // fewer bytes than awaited arrived within the wait's limit
    kWrongReply,  // the reply's first byte was not the one required, or the reply was short
    kPortError,   // the line itself failed (device gone, I/O error)
};

struct Failure {
    Step step = Step::kHandshake;
    FailureKind kind = FailureKind::kTimeout;
    int block = -1;            // the block of a block step or of the exchange before it
    std::size_t awaited = 0;   // time-out or short reply: bytes awaited
    std::size_t received = 0;  // time-out: bytes there when the wait gave up; short reply: taken
    std::uint8_t wanted = 0;   // wrong reply: the first byte required
    std::uint8_t got = 0;      // wrong reply: the first byte received
    std::string portMessage;   // port error: the line's message

    bool operator==(const Failure&) const = default;
};

class Outcome {
  public:
    static Outcome Success() { return Outcome(); }
    static Outcome Failed(Failure failure) { return Outcome(std::move(failure)); }

    bool ok() const { return !failure_; }
    const std::optional<Failure>& failure() const { return failure_; }
    // One line for a user: "no answer from the radio at block 12 (address 0060h): waited for 12
    // bytes, 0 came". Empty on success.
    std::string Message() const;

  private:
    Outcome() = default;
    explicit Outcome(Failure failure) : failure_(std::move(failure)) {}
    std::optional<Failure> failure_;
};

}  // namespace rvm46::comm
