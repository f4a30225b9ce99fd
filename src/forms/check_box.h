#pragma once
// Check box: Value 0 = cleared, 1 = ticked, 2 = greyed.

#include "forms/control.h"

namespace rvm46::forms {

inline constexpr int kUnchecked = 0;
inline constexpr int kChecked = 1;
inline constexpr int kGrayed = 2;

class CheckBox : public CaptionedControl {
  public:
    explicit CheckBox(const ControlInit& init) : CaptionedControl(init, kColorButtonFace) {}
    const char* TypeName() const override { return "CheckBox"; }
    bool CanFocus() const override { return true; }

    int Value() const { return value_; }
    // Raises Click when the value changes; a value outside 0..2 is a run-time error.
    void SetValue(int value);

    // The user clicks: focus, then ticked becomes cleared and anything else ticked (one Click).
    bool UserClick();

    Event<> Click;

  protected:
    void SaveDesign() override;
    void RestoreDesign() override;

  private:
    int value_ = kUnchecked;
    int value_design_ = kUnchecked;
};

}  // namespace rvm46::forms
