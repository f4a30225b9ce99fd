#include "forms/option_button.h"

#include "forms/form.h"

namespace rvm46::forms {

void OptionButton::Select(bool value) {
    if (value == value_) return;
    value_ = value;
    Notify(Property::Value);
}

void OptionButton::SetValue(bool value) {
    if (!value) {
        Select(false);
        return;
    }
    for (Control* control : Parent().Controls()) {
        auto* other = dynamic_cast<OptionButton*>(control);
        if (other != nullptr && other != this && other->Container() == Container()) {
            other->Select(false);
        }
    }
    Select(true);
    Raise(Click);
}

bool OptionButton::UserClick() {
    if (!UserMayAct() || !TakeFocusForUser()) return false;
    SetValue(true);
    return true;
}

void OptionButton::SaveDesign() {
    CaptionedControl::SaveDesign();
    value_design_ = value_;
}

void OptionButton::RestoreDesign() {
    CaptionedControl::RestoreDesign();
    value_ = value_design_;
}

}  // namespace rvm46::forms
