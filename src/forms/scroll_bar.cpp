#include "forms/scroll_bar.h"

#include <algorithm>
#include <string>

#include "forms/errors.h"

namespace rvm46::forms {

int ScrollBar::Low() const {
    return std::min(p_.min, p_.max);
}
int ScrollBar::High() const {
    return std::max(p_.min, p_.max);
}

void ScrollBar::PullValueIntoRange() {
    int value = std::clamp(p_.value, Low(), High());
    if (value != p_.value) SetValue(value);
}

void ScrollBar::SetMin(int min) {
    if (min == p_.min) return;
    p_.min = min;
    Notify(Property::Min);
    PullValueIntoRange();
}

void ScrollBar::SetMax(int max) {
    if (max == p_.max) return;
    p_.max = max;
    Notify(Property::Max);
    PullValueIntoRange();
}

void ScrollBar::SetValue(int value) {
    if (value < Low() || value > High()) {
        throw ControlError(ErrorNumber::InvalidPropertyValue,
                           Name() + ": Value " + std::to_string(value) + " out of range");
    }
    if (value == p_.value) return;
    p_.value = value;
    Notify(Property::Value);
    Raise(Change);
}

void ScrollBar::SetSmallChange(int step) {
    if (step < 1) {
        throw ControlError(ErrorNumber::InvalidPropertyValue, Name() + ": SmallChange below 1");
    }
    p_.small_change = step;
}

bool ScrollBar::UserStep(int delta) {
    if (!UserMayAct() || !TakeFocusForUser()) return false;
    // Arrows move from Min towards Max, whichever way round the bounds are.
    int direction = p_.max >= p_.min ? 1 : -1;
    SetValue(std::clamp(p_.value + direction * delta, Low(), High()));
    return true;
}

bool ScrollBar::UserArrowUp() {
    return UserStep(-p_.small_change);
}
bool ScrollBar::UserArrowDown() {
    return UserStep(p_.small_change);
}

}  // namespace rvm46::forms
