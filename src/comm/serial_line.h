#pragma once
// The serial line to the radio as the protocol sees it: a plain 9600 baud 8N1 byte pipe without
// flow control. Implementations: the Qt serial port of the desktop program and the command line,
// and in-memory lines in the tests. Every operation that can fail says so with a LineStatus that
// carries a message a user can act on ("/dev/ttyUSB0: permission denied"); none throws.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace rvm46::comm {

// Success, or a failure with its message.
class LineStatus {
  public:
    static LineStatus Ok() { return LineStatus(); }
    static LineStatus Error(std::string message) { return LineStatus(std::move(message)); }
    bool ok() const { return !error_; }
    const std::string& message() const { return error_ ? *error_ : empty_; }

  private:
    LineStatus() = default;
    explicit LineStatus(std::string message) : error_(std::move(message)) {}
    std::optional<std::string> error_;
    static inline const std::string empty_;
};

class SerialLine {
  public:
    virtual ~SerialLine() = default;

    // Opens a device ("/dev/ttyUSB0", "COM3") at 9600 baud, 8 data bits, no parity, 1 stop bit,
    // no flow control. Input that waited before the opening is not kept.
    virtual LineStatus Open(const std::string& device) = 0;
    // Closes the line after the queued output went out (bounded); closing a closed line is a no-op.
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    // Drops output queued but not yet sent.
    virtual LineStatus DiscardOutput() = 0;
    // Queues bytes for sending. They may still be on their way when this returns; a following
    // DiscardInput never loses a reply to them, because the reply cannot come before they went out.
    virtual LineStatus Send(std::span<const std::uint8_t> bytes) = 0;
    // Drops every byte received so far.
    virtual LineStatus DiscardInput() = 0;
    // How many received bytes wait to be taken.
    virtual LineStatus InputCount(std::size_t& count) = 0;
    // Takes every waiting byte (appends nothing when none waits).
    virtual LineStatus TakeInput(std::vector<std::uint8_t>& bytes) = 0;
    // Waits until at least `count` bytes wait or `limit` has passed, returning the moment they are
    // there; `ready` tells which. A time-out is not an error of the line.
    virtual LineStatus WaitForInput(std::size_t count, std::chrono::milliseconds limit,
                                    bool& ready) = 0;
};

// A serial port the system reports.
struct PortInfo {
    std::string device;        // "/dev/ttyUSB0", "COM3"
    std::string description;   // the adapter's name as the system gives it, may be empty
    std::string manufacturer;  // may be empty
    std::optional<std::uint16_t> vendorId;   // USB adapters only
    std::optional<std::uint16_t> productId;  // USB adapters only
};

// The machine's serial ports: what exists, and new lines to open them with.
class SerialSystem {
  public:
    virtual ~SerialSystem() = default;
    virtual std::vector<PortInfo> AvailablePorts() const = 0;
    virtual std::unique_ptr<SerialLine> NewLine() = 0;
};

}  // namespace rvm46::comm
