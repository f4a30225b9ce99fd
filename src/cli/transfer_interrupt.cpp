#include "cli/transfer_interrupt.h"

#include <signal.h>

namespace rvm46::cli {

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
volatile sig_atomic_t caught = 0;
struct sigaction previous[3];

extern "C" void OnStopSignal(int signal) {
    caught = signal;
}

}  // namespace

StopSignals::StopSignals() {
    caught = 0;
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no restart: a wait on the line ends early
    for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &action, &previous[i]);
}

StopSignals::~StopSignals() {
    for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &previous[i], nullptr);
}

int StopSignals::Caught() {
    return caught;
}

std::string StopSignals::Name(int signal) {
    switch (signal) {
        case SIGINT:
            return "SIGINT (Ctrl+C)";
        case SIGTERM:
            return "SIGTERM";
        case SIGHUP:
            return "SIGHUP";
        default:
            return "signal " + std::to_string(signal);
    }
}

comm::LineStatus StoppableLine::Stopped() const {
    return comm::LineStatus::Error("stopped by " + StopSignals::Name(StopSignals::Caught()));
}

comm::LineStatus StoppableLine::Open(const std::string& device) {
    return StopSignals::Caught() ? Stopped() : line_->Open(device);
}

comm::LineStatus StoppableLine::DiscardOutput() {
    return StopSignals::Caught() ? Stopped() : line_->DiscardOutput();
}

comm::LineStatus StoppableLine::Send(std::span<const std::uint8_t> bytes) {
    return StopSignals::Caught() ? Stopped() : line_->Send(bytes);
}

comm::LineStatus StoppableLine::DiscardInput() {
    return StopSignals::Caught() ? Stopped() : line_->DiscardInput();
}

comm::LineStatus StoppableLine::InputCount(std::size_t& count) {
    return StopSignals::Caught() ? Stopped() : line_->InputCount(count);
}

comm::LineStatus StoppableLine::TakeInput(std::vector<std::uint8_t>& bytes) {
    return StopSignals::Caught() ? Stopped() : line_->TakeInput(bytes);
}

comm::LineStatus StoppableLine::WaitForInput(std::size_t count, std::chrono::milliseconds limit,
                                             bool& ready) {
    ready = false;
    if (StopSignals::Caught()) return Stopped();
    const comm::LineStatus s = line_->WaitForInput(count, limit, ready);
    return StopSignals::Caught() ? Stopped() : s;
}

}  // namespace rvm46::cli
