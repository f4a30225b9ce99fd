#include "forms/timer.h"

#include <string>

#include "forms/errors.h"

namespace rvm46::forms {

void Timer::SetInterval(int milliseconds) {
    if (milliseconds < 0 || milliseconds > 65535) {
        throw ControlError(ErrorNumber::InvalidPropertyValue,
                           Name() + ": Interval " + std::to_string(milliseconds) + " out of range");
    }
    if (milliseconds == interval_) return;
    interval_ = milliseconds;
    Notify(Property::Interval);
}

bool Timer::Running() const {
    return Enabled() && interval_ > 0 && EventsLive();
}

bool Timer::Tick() {
    if (!Running()) return false;
    Raise(TimerEvent);
    return true;
}

}  // namespace rvm46::forms
