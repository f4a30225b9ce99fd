#include "cli/transfer_interrupt.h"

#include <signal.h>

#include <algorithm>
#include <chrono>

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

// The wait goes in short slices: a signal need not interrupt the wait itself (the line may
// resume its wait, or another thread may take the signal), and a stop should act at once, not
// after a time limit of more than a second.
comm::LineStatus StoppableLine::WaitForInput(std::size_t count, std::chrono::milliseconds limit,
                                             bool& ready) {
    constexpr std::chrono::milliseconds kSlice{50};
    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + limit;
    ready = false;
    for (;;) {
        if (StopSignals::Caught()) return Stopped();
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - Clock::now());
        const comm::LineStatus s = line_->WaitForInput(
            count, std::clamp(left, std::chrono::milliseconds(0), kSlice), ready);
        if (StopSignals::Caught()) return Stopped();
        if (!s.ok() || ready || left <= kSlice) return s;
    }
}

}  // namespace rvm46::cli
