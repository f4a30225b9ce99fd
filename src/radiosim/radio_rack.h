#pragma once
// A sequence of radios on one simulated line, for the programming station: a radio can be removed
// (nothing answers, its input is dropped) and the next attached, from the tests (the methods) or
// from a control file the simulator program reads (lines "swap", "remove", "attach",
// "attach RADIO"). With automatic swapping, a radio that has been written and read back completely
// is removed, and the next is attached as soon as one handshake command went unanswered, as a
// dealer who swaps radios at once would. Every method may be called from any thread.

#include <filesystem>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "radiosim/radio.h"

namespace rvm46::radiosim {

struct RackRadio {
    RadioMemory memory{};
    Fault fault;
    int pullAtWrite = -1;  // the radio is pulled out as the write frame of this block arrives
};

// "blank" (all FFh), "blank@CODE" (all FFh but the model code byte at 3D2h, decimal), or a data
// file whose radio part is the memory; optionally followed by "+FAULT", a fault of ParseFault or
// "pull:N" (pulled out at the write frame of block N). nullopt with a reason for anything else.
std::optional<RackRadio> ParseRackRadio(std::string_view described, std::string* error);

class RadioRack {
  public:
    // The first radio is attached at once.
    RadioRack(std::vector<RackRadio> radios, bool autoSwap);

    // Bytes from the program: to the attached radio, or dropped when none is.
    std::vector<Exchange> Receive(std::span<const std::uint8_t> bytes);
    // The attached radio forgets a half-done session.
    void ResetSession();
    // Whether the attached radio waits for the ident request after a handshake.
    bool AwaitingIdent();
    // The attached radio's memory; nullopt when none is attached.
    std::optional<RadioMemory> AttachedMemory();
    // 1-based place in the sequence of the attached radio; 0 when none is attached.
    int AttachedNumber();

    void Remove();
    // The next radio of the sequence (none when the sequence is used up), or `radio`.
    void Attach(std::optional<RackRadio> radio = std::nullopt);
    // Removes the attached radio; the next is attached after one unanswered handshake command.
    void Swap();

    // Reads commands from a control file (a FIFO is kept open); false with a reason when it cannot.
    bool OpenControl(const std::filesystem::path& path, std::string* error);
    // Carries out the commands that arrived; unknown ones are reported on standard error.
    void PollControl();

  private:
    void AttachLocked(std::optional<RackRadio> radio);
    void Execute(const std::string& command);

    std::mutex mutex_;
    std::vector<RackRadio> sequence_;
    std::size_t next_ = 0;
    bool autoSwap_;
    std::optional<Radio> attached_;
    int attachedNumber_ = 0;
    int pullAtWrite_ = -1;
    bool written_ = false;               // the attached radio completed a write
    bool swapPending_ = false;           // attach the next after an unanswered handshake
    std::vector<std::uint8_t> dropped_;  // the last bytes nobody answered
    int control_ = -1;
    std::string controlText_;
};

}  // namespace rvm46::radiosim
