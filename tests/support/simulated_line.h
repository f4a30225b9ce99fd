#pragma once
// A serial line in memory with the simulated radio at its other end, for tests of the protocol
// and of the windows that run it. Time is virtual: a wait that the radio cannot satisfy gives up
// at once and records the limit it was given. Every frame both ways is kept in a trace.

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "comm/serial_line.h"
#include "radiosim/radio.h"

namespace rvm46::testing {

class SimulatedLine : public comm::SerialLine {
  public:
    explicit SimulatedLine(const radiosim::RadioMemory& memory = radiosim::Radio::BlankMemory(),
                           radiosim::Fault fault = {});

    comm::LineStatus Open(const std::string& device) override;
    void Close() override;
    bool IsOpen() const override { return open_; }
    comm::LineStatus DiscardOutput() override;
    comm::LineStatus Send(std::span<const std::uint8_t> bytes) override;
    comm::LineStatus DiscardInput() override;
    comm::LineStatus InputCount(std::size_t& count) override;
    comm::LineStatus TakeInput(std::vector<std::uint8_t>& bytes) override;
    comm::LineStatus WaitForInput(std::size_t count, std::chrono::milliseconds limit,
                                  bool& ready) override;

    // Frames as hex text, "> " from the program, "< " from the radio: "> 06", "< 06".
    const std::vector<std::string>& trace() const { return trace_; }
    const radiosim::Radio& radio() const { return radio_; }
    // Limits of the waits that gave up.
    const std::vector<std::chrono::milliseconds>& timeouts() const { return timeouts_; }
    // Makes the next Open fail with this message (empty = open normally).
    void FailOpen(std::string message) { openError_ = std::move(message); }
    int opens() const { return opens_; }

  private:
    comm::LineStatus Deliver();
    comm::LineStatus Usable() const;

    radiosim::Radio radio_;
    bool open_ = false;
    bool hungUp_ = false;
    int opens_ = 0;
    std::string device_;
    std::string openError_;
    std::vector<std::uint8_t> unsent_;
    std::vector<std::uint8_t> input_;
    std::vector<std::string> trace_;
    std::vector<std::chrono::milliseconds> timeouts_;
};

std::string HexFrame(const std::vector<std::uint8_t>& bytes);

// Memory holding a * 7 + seed at address a: every byte differs from its neighbours.
inline radiosim::RadioMemory PatternMemory(int seed) {
    radiosim::RadioMemory memory;
    for (std::size_t a = 0; a < memory.size(); ++a)
        memory[a] = static_cast<std::uint8_t>(a * 7 + static_cast<std::size_t>(seed));
    return memory;
}

}  // namespace rvm46::testing
