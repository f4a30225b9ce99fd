#pragma once
// The machine's serial ports for window tests: a list of ports as the system would report them,
// and lines that all lead to one simulated radio line (which the test may swap between runs).

#include <memory>
#include <vector>

#include "support/simulated_line.h"

namespace rvm46::testing {

class SimulatedSerialSystem : public comm::SerialSystem {
  public:
    explicit SimulatedSerialSystem(SimulatedLine& line) : line_(&line) {}

    void Use(SimulatedLine& line) { line_ = &line; }

    std::vector<comm::PortInfo> ports;  // what AvailablePorts reports
    std::vector<comm::PortInfo> AvailablePorts() const override { return ports; }
    std::unique_ptr<comm::SerialLine> NewLine() override {
        return std::make_unique<Forward>(*this);
    }

  private:
    // A line that forwards to whatever simulated line the system uses at the time.
    class Forward : public comm::SerialLine {
      public:
        explicit Forward(SimulatedSerialSystem& system) : system_(system) {}
        comm::LineStatus Open(const std::string& device) override { return L().Open(device); }
        void Close() override { L().Close(); }
        bool IsOpen() const override { return system_.line_->IsOpen(); }
        comm::LineStatus DiscardOutput() override { return L().DiscardOutput(); }
        comm::LineStatus Send(std::span<const std::uint8_t> bytes) override {
            return L().Send(bytes);
        }
        comm::LineStatus DiscardInput() override { return L().DiscardInput(); }
        comm::LineStatus InputCount(std::size_t& count) override { return L().InputCount(count); }
        comm::LineStatus TakeInput(std::vector<std::uint8_t>& bytes) override {
            return L().TakeInput(bytes);
        }
        comm::LineStatus WaitForInput(std::size_t count, std::chrono::milliseconds limit,
                                      bool& ready) override {
            return L().WaitForInput(count, limit, ready);
        }

      private:
        SimulatedLine& L() { return *system_.line_; }
        SimulatedSerialSystem& system_;
    };

    SimulatedLine* line_;
};

}  // namespace rvm46::testing
