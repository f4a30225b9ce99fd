#pragma once
// The simulated radio on a real pseudo-terminal, served on a thread for the length of a test.

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

#include "comm/protocol.h"
#include "radiosim/pty_server.h"

namespace rvm46::testing {

// The simulator answers within a millisecond, so tests wait at a quarter of the radio's pace
// (the station's polls at half): every limit stays at 200 ms or more, far above any reply's delay
// on a busy machine.
inline const comm::Timing kSimulatorTiming{
    std::chrono::milliseconds(4), std::chrono::milliseconds(250), std::chrono::milliseconds(200)};

class PtyRadio {
  public:
    explicit PtyRadio(radiosim::ServerOptions options) : server_(std::move(options)) {
        started_ = server_.Start(&error_);
        device_ = server_.device();
        if (started_) {
            thread_ = std::thread([this] {
                server_.Serve(stop_, [this](const std::string& device) {
                    std::lock_guard lock(mutex_);
                    device_ = device;
                });
            });
        }
    }
    ~PtyRadio() { Stop(); }

    bool started() const { return started_; }
    const std::string& error() const { return error_; }
    std::string device() {
        std::lock_guard lock(mutex_);
        return device_;
    }
    // Stops serving; the memory may be looked at afterwards.
    void Stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }
    const radiosim::RadioMemory& memory() const { return server_.memory(); }

  private:
    radiosim::PtyServer server_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    std::mutex mutex_;
    std::string device_;
    std::string error_;
    bool started_ = false;
};

}  // namespace rvm46::testing
