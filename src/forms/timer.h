#pragma once
// Timer. The host (front end or test) calls Tick() when Interval milliseconds have passed;
// observers learn of changes to Enabled and Interval so the host can (re)arm its clock.

#include "forms/control.h"

namespace rvm46::forms {

class Timer : public Control {
  public:
    explicit Timer(const ControlInit& init) : Control(init, kColorButtonFace) {}
    const char* TypeName() const override { return "Timer"; }

    // Milliseconds, 0..65535; 0 stops the timer like Enabled = false. Outside is a run-time
    // error.
    int Interval() const { return interval_; }
    void SetInterval(int milliseconds);

    // True when ticks raise TimerEvent: enabled, a non-zero interval, form loaded.
    bool Running() const;
    // Raises TimerEvent when Running; returns whether it did.
    bool Tick();

    Event<> TimerEvent;

  protected:
    void SaveDesign() override {
        Control::SaveDesign();
        interval_design_ = interval_;
    }
    void RestoreDesign() override {
        Control::RestoreDesign();
        interval_ = interval_design_;
    }

  private:
    int interval_ = 0;
    int interval_design_ = 0;
};

}  // namespace rvm46::forms
