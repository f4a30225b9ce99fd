#pragma once
// Vertical scroll bar, used as an up/down spinner. The top arrow lowers Value by SmallChange,
// the bottom arrow raises it; neither goes past Min or Max.

#include "forms/control.h"

namespace rvm46::forms {

class ScrollBar : public Control {
  public:
    explicit ScrollBar(const ControlInit& init) : Control(init, kColorButtonFace) {}
    const char* TypeName() const override { return "ScrollBar"; }
    bool CanFocus() const override { return true; }

    int Min() const { return p_.min; }
    int Max() const { return p_.max; }
    int Value() const { return p_.value; }
    int SmallChange() const { return p_.small_change; }
    // Min may exceed Max (a reversed bar); Value is then kept between them. Moving a bound past
    // Value pulls Value along, which raises Change.
    void SetMin(int min);
    void SetMax(int max);
    // Raises Change only when the value really changes; outside Min..Max is a run-time error.
    void SetValue(int value);
    void SetSmallChange(int step);

    // The user presses the top or bottom arrow (focus first).
    bool UserArrowUp();
    bool UserArrowDown();

    Event<> Change;

  protected:
    void SaveDesign() override {
        Control::SaveDesign();
        design_ = p_;
    }
    void RestoreDesign() override {
        Control::RestoreDesign();
        p_ = design_;
    }

  private:
    int Low() const;
    int High() const;
    void PullValueIntoRange();
    bool UserStep(int delta);

    struct Props {
        int min = 0;
        int max = 32767;
        int value = 0;
        int small_change = 1;
    };
    Props p_;
    Props design_;
};

}  // namespace rvm46::forms
