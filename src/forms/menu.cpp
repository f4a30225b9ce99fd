#include "forms/menu.h"

#include <utility>

#include "forms/form.h"

namespace rvm46::forms {

void MenuItem::SetChecked(bool checked) {
    if (checked == p_.checked) return;
    p_.checked = checked;
    Notify(Property::Checked);
}

void MenuItem::SetShortcut(std::string shortcut) {
    if (shortcut == p_.shortcut) return;
    p_.shortcut = std::move(shortcut);
    Notify(Property::Shortcut);
}

std::vector<MenuItem*> MenuItem::Children() const {
    std::vector<MenuItem*> children;
    for (Control* control : Parent().Controls()) {
        auto* item = dynamic_cast<MenuItem*>(control);
        if (item != nullptr && item->Container() == Name()) children.push_back(item);
    }
    return children;
}

bool MenuItem::UserClick() {
    if (IsSeparator() || !UserMayAct()) return false;
    Raise(Click);
    return true;
}

}  // namespace rvm46::forms
