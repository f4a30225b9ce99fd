#include "comm/presence.h"

#include "model/codeplug_image.h"

namespace rvm46::comm {

LineStatus PresenceWatch::Poll(SerialLine& line, Presence& presence,
                               std::chrono::milliseconds wait) {
    presence = Presence::kNoRadio;
    if (LineStatus s = line.DiscardOutput(); !s.ok()) return s;
    if (LineStatus s = line.Send(kLeadCode); !s.ok()) return s;
    if (LineStatus s = line.DiscardInput(); !s.ok()) return s;
    bool ready = false;
    if (LineStatus s = line.WaitForInput(1, wait, ready); !s.ok()) return s;
    bool answered = false;
    if (ready) {
        std::vector<std::uint8_t> reply;
        if (LineStatus s = line.TakeInput(reply); !s.ok()) return s;
        answered = !reply.empty() && reply.front() == 0x06;
    }
    if (!answered) {
        mustLeave_ = false;
        return LineStatus::Ok();
    }
    if (mustLeave_) {
        presence = Presence::kSameRadio;
        return LineStatus::Ok();
    }
    presence = Presence::kNewRadio;
    mustLeave_ = true;
    return LineStatus::Ok();
}

}  // namespace rvm46::comm
