#pragma once
// Ctrl+C, SIGTERM and SIGHUP during a command-line transfer: instead of ending the process with
// the serial line open (and its lock file left behind, refusing the port to every other user),
// the signal stops the transfer at its next line operation, the line is closed as after any
// failure, and the command reports the stop. POSIX only.

#include <memory>
#include <string>

#include "comm/serial_line.h"

namespace rvm46::cli {

// While alive, the three signals are caught instead of ending the process; the dispositions
// before are put back at the end.
class StopSignals {
  public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // The signal caught since the start, 0 when none; "SIGINT" and so on for a message.
    static int Caught();
    static std::string Name(int signal);
};

// A serial line that fails every operation once a stop signal was caught, so the running
// transfer ends as after a failure of the line and its caller closes it; a wait ends within
// 50 ms of the signal.
class StoppableLine : public comm::SerialLine {
  public:
    explicit StoppableLine(std::unique_ptr<comm::SerialLine> line) : line_(std::move(line)) {}

    comm::LineStatus Open(const std::string& device) override;
    void Close() override { line_->Close(); }
    bool IsOpen() const override { return line_->IsOpen(); }
    comm::LineStatus DiscardOutput() override;
    comm::LineStatus Send(std::span<const std::uint8_t> bytes) override;
    comm::LineStatus DiscardInput() override;
    comm::LineStatus InputCount(std::size_t& count) override;
    comm::LineStatus TakeInput(std::vector<std::uint8_t>& bytes) override;
    comm::LineStatus WaitForInput(std::size_t count, std::chrono::milliseconds limit,
                                  bool& ready) override;

  private:
    comm::LineStatus Stopped() const;
    std::unique_ptr<comm::SerialLine> line_;
};

}  // namespace rvm46::cli
