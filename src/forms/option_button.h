#pragma once
// Option button. The option buttons of one container (same form, same container name) form a
// group: selecting one clears the others.

#include "forms/control.h"

namespace rvm46::forms {

class OptionButton : public CaptionedControl {
  public:
    explicit OptionButton(const ControlInit& init) : CaptionedControl(init, kColorButtonFace) {}
    const char* TypeName() const override { return "OptionButton"; }
    bool CanFocus() const override { return true; }

    bool Value() const { return value_; }
    // True clears the rest of the group and raises Click, also when this button was already
    // selected. False only clears this button and raises nothing.
    void SetValue(bool value);

    // The user clicks: focus, then the button is selected (Click).
    bool UserClick();

    Event<> Click;

  protected:
    void SaveDesign() override;
    void RestoreDesign() override;

  private:
    void Select(bool value);

    bool value_ = false;
    bool value_design_ = false;
};

}  // namespace rvm46::forms
