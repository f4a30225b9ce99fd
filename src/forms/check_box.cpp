#include "forms/check_box.h"

#include <string>

#include "forms/errors.h"

namespace rvm46::forms {

void CheckBox::SetValue(int value) {
    if (value < kUnchecked || value > kGrayed) {
        throw ControlError(ErrorNumber::InvalidPropertyValue,
                           Name() + ": Value " + std::to_string(value) + " out of range");
    }
    if (value == value_) return;
    value_ = value;
    Notify(Property::Value);
    Raise(Click);
}

bool CheckBox::UserClick() {
    if (!UserMayAct() || !TakeFocusForUser()) return false;
    SetValue(value_ == kChecked ? kUnchecked : kChecked);
    return true;
}

void CheckBox::SaveDesign() {
    CaptionedControl::SaveDesign();
    value_design_ = value_;
}

void CheckBox::RestoreDesign() {
    CaptionedControl::RestoreDesign();
    value_ = value_design_;
}

}  // namespace rvm46::forms
