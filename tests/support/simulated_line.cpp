#include "support/simulated_line.h"

namespace rvm46::testing {

using comm::LineStatus;

std::string HexFrame(const std::vector<std::uint8_t>& bytes) {
    std::string text;
    for (std::uint8_t b : bytes)
        text += {' ', "0123456789ABCDEF"[b >> 4], "0123456789ABCDEF"[b & 15]};
    return text.empty() ? text : text.substr(1);
}

SimulatedLine::SimulatedLine(const radiosim::RadioMemory& memory, radiosim::Fault fault)
    : radio_(memory, fault) {}

LineStatus SimulatedLine::Open(const std::string& device) {
    if (!openError_.empty()) return LineStatus::Error(device + ": " + openError_);
    if (open_) return LineStatus::Error(device + ": already open");
    open_ = true;
    hungUp_ = false;
    device_ = device;
    ++opens_;
    input_.clear();
    unsent_.clear();
    return LineStatus::Ok();
}

void SimulatedLine::Close() {
    if (open_ && !hungUp_) Deliver();
    open_ = false;
}

LineStatus SimulatedLine::Usable() const {
    if (!open_) return LineStatus::Error("the port is not open");
    if (hungUp_) return LineStatus::Error(device_ + ": device disappeared");
    return LineStatus::Ok();
}

// Hands the queued output to the radio; its answers arrive as input.
LineStatus SimulatedLine::Deliver() {
    if (unsent_.empty()) return Usable();
    trace_.push_back("> " + HexFrame(unsent_));
    for (radiosim::Exchange& ex : radio_.Receive(unsent_)) {
        if (ex.hangUp) {
            hungUp_ = true;
            break;
        }
        if (!ex.reply.empty()) {
            trace_.push_back("< " + HexFrame(ex.reply));
            input_.insert(input_.end(), ex.reply.begin(), ex.reply.end());
        }
    }
    unsent_.clear();
    return Usable();
}

LineStatus SimulatedLine::DiscardOutput() {
    unsent_.clear();
    return Usable();
}

LineStatus SimulatedLine::Send(std::span<const std::uint8_t> bytes) {
    if (LineStatus s = Usable(); !s.ok()) return s;
    unsent_.insert(unsent_.end(), bytes.begin(), bytes.end());
    return LineStatus::Ok();
}

LineStatus SimulatedLine::DiscardInput() {
    if (LineStatus s = Usable(); !s.ok()) return s;
    input_.clear();
    return Deliver();
}

LineStatus SimulatedLine::InputCount(std::size_t& count) {
    LineStatus s = Deliver();
    count = input_.size();
    return s;
}

LineStatus SimulatedLine::TakeInput(std::vector<std::uint8_t>& bytes) {
    LineStatus s = Deliver();
    if (!s.ok()) return s;
    bytes.insert(bytes.end(), input_.begin(), input_.end());
    input_.clear();
    return s;
}

LineStatus SimulatedLine::WaitForInput(std::size_t count, std::chrono::milliseconds limit,
                                       bool& ready) {
    LineStatus s = Deliver();
    if (!s.ok()) return s;
    ready = input_.size() >= count;
    if (!ready) timeouts_.push_back(limit);
    return s;
}

}  // namespace rvm46::testing
