#pragma once
// Noticing radios between programming cycles. Only the handshake command is sent, and a 06h reply
// means a radio is attached; a radio starts over at every handshake, so a poll leaves it as it
// was. A radio that has just been programmed must stop answering at least once before an answer
// counts as a new radio, so one radio left on the cable is never programmed twice.

#include <chrono>

#include "comm/serial_line.h"

namespace rvm46::comm {

// Polls are at least this far apart.
inline constexpr std::chrono::milliseconds kPresencePeriod{500};
// How long one poll waits for the 06h; a radio answers within a few milliseconds.
inline constexpr std::chrono::milliseconds kPresenceWait{300};

enum class Presence {
    kNoRadio,    // nothing answered
    kSameRadio,  // the radio just programmed still answers
    kNewRadio,   // a radio answered after the line was free: program it
};

class PresenceWatch {
  public:
    // Sends the handshake command once and waits up to `wait` for a reply. A new radio is reported
    // once; it then counts as the radio being programmed.
    LineStatus Poll(SerialLine& line, Presence& presence,
                    std::chrono::milliseconds wait = kPresenceWait);
    // A radio has been programmed (or refused): it must be seen gone before the next counts.
    void RadioDone() { mustLeave_ = true; }
    bool WaitingForRemoval() const { return mustLeave_; }

  private:
    bool mustLeave_ = false;
};

}  // namespace rvm46::comm
