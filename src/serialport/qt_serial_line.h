#pragma once
// The serial line on Qt's serial port, for the desktop program, the scripted driver and the
// command line. It needs no running event loop: every wait polls the port itself and ends as
// soon as enough bytes are there. Works on real adapters and on pseudo-terminals alike.

#include <memory>

#include "comm/serial_line.h"

namespace rvm46::serialport {

class QtSerialLine : public comm::SerialLine {
  public:
    QtSerialLine();
    ~QtSerialLine() override;

    comm::LineStatus Open(const std::string& device) override;
    void Close() override;
    bool IsOpen() const override;
    comm::LineStatus DiscardOutput() override;
    comm::LineStatus Send(std::span<const std::uint8_t> bytes) override;
    comm::LineStatus DiscardInput() override;
    comm::LineStatus InputCount(std::size_t& count) override;
    comm::LineStatus TakeInput(std::vector<std::uint8_t>& bytes) override;
    comm::LineStatus WaitForInput(std::size_t count, std::chrono::milliseconds limit,
                                  bool& ready) override;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The machine's serial ports as Qt reports them, and Qt lines to open them with.
class QtSerialSystem : public comm::SerialSystem {
  public:
    QtSerialSystem();
    std::vector<comm::PortInfo> AvailablePorts() const override;
    std::unique_ptr<comm::SerialLine> NewLine() override;
};

}  // namespace rvm46::serialport
