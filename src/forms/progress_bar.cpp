#include "forms/progress_bar.h"

#include <algorithm>
#include <string>

#include "forms/errors.h"

namespace rvm46::forms {

void ProgressBar::SetRange(int min, int max) {
    if (min >= max) {
        throw ControlError(
            ErrorNumber::InvalidPropertyValue,
            Name() + ": Min " + std::to_string(min) + " not below Max " + std::to_string(max));
    }
    bool min_changed = min != p_.min;
    bool max_changed = max != p_.max;
    p_.min = min;
    p_.max = max;
    if (min_changed) Notify(Property::Min);
    if (max_changed) Notify(Property::Max);
    int value = std::clamp(p_.value, min, max);
    if (value != p_.value) {
        p_.value = value;
        Notify(Property::Value);
    }
}

void ProgressBar::SetMin(int min) {
    SetRange(min, p_.max);
}
void ProgressBar::SetMax(int max) {
    SetRange(p_.min, max);
}

void ProgressBar::SetValue(int value) {
    if (value < p_.min || value > p_.max) {
        throw ControlError(ErrorNumber::InvalidPropertyValue,
                           Name() + ": Value " + std::to_string(value) + " out of range");
    }
    if (value == p_.value) return;
    p_.value = value;
    Notify(Property::Value);
}

}  // namespace rvm46::forms
