#pragma once
// The simulated radio on a pseudo-terminal: the program under test opens the terminal's device
// as its serial port, the server answers on the other end. POSIX only.

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "model/codeplug_image.h"
#include "radiosim/radio.h"

namespace rvm46::radiosim {

struct ServerOptions {
    CodeplugImage image = BlankImage();         // header kept for --save; radio part = memory
    bool blankMemory = true;                    // all FFh instead of the image's radio part
    std::optional<std::filesystem::path> save;  // written after every completed write
    std::optional<std::filesystem::path> link;  // symbolic link to the device
    bool pace = false;                          // every byte takes its 9600 baud 8N1 time
    std::chrono::microseconds latency{0};       // turnaround before each reply
    Fault fault;
    std::FILE* trace = nullptr;  // every frame both ways with a time stamp
};

// 10 bits at 9600 baud.
inline constexpr std::chrono::nanoseconds kByteTime{1041667};
// A pause after which the radio forgets a half-done session (a program stopped between steps).
inline constexpr std::chrono::seconds kSessionPause{2};

class PtyServer {
  public:
    explicit PtyServer(ServerOptions options);
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Opens the pseudo-terminal (and the link); false with a message when it cannot.
    bool Start(std::string* error);
    // The device the program opens (the link when there is one, else the terminal).
    const std::string& device() const { return device_; }
    // Serves until `stop` is set, checking it at least every 50 ms. After a hang-up fault a new
    // terminal replaces the old one (the link follows; `onNewDevice` is told the new path).
    void Serve(const std::atomic<bool>& stop,
               const std::function<void(const std::string&)>& onNewDevice = {});

    // The radio memory now. Only for a caller that is not serving at the same time.
    const RadioMemory& memory() const { return radio_.memory(); }

  private:
    bool OpenTerminal(std::string* error);
    void CloseTerminal();
    void Handle(std::uint8_t byte, std::chrono::steady_clock::time_point arrived);
    void Reply(const std::vector<std::uint8_t>& bytes, std::chrono::steady_clock::time_point from);
    void Trace(const char* direction, const std::vector<std::uint8_t>& bytes);
    void SaveMemory();
    void DropExclusiveOnClose();

    ServerOptions options_;
    Radio radio_;
    int master_ = -1;
    int slave_ = -1;
    int watch_ = -1;  // told when a program closes the terminal
    std::string terminal_;
    std::string device_;
    bool hungUp_ = false;
    std::chrono::steady_clock::time_point started_;
    std::chrono::steady_clock::time_point rxFree_;  // when the line from the program is idle
    std::chrono::steady_clock::time_point txFree_;  // when the line to the program is idle
    std::chrono::steady_clock::time_point lastByte_;
};

}  // namespace rvm46::radiosim
