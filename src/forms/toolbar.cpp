#include "forms/toolbar.h"

#include <utility>

#include "forms/assign.h"
#include "forms/errors.h"

namespace rvm46::forms {

int Toolbar::AddButton(std::string key, std::string tool_tip, std::string image) {
    ToolbarButton button;
    button.key = std::move(key);
    button.tool_tip = std::move(tool_tip);
    button.image = std::move(image);
    buttons_.push_back(std::move(button));
    Notify(Property::Buttons, 0);
    return ButtonCount();
}

int Toolbar::AddSeparator() {
    ToolbarButton button;
    button.separator = true;
    buttons_.push_back(std::move(button));
    Notify(Property::Buttons, 0);
    return ButtonCount();
}

const ToolbarButton& Toolbar::Button(int number) const {
    return const_cast<Toolbar*>(this)->At(number);
}

ToolbarButton& Toolbar::At(int number) {
    if (number < 1 || number > ButtonCount()) {
        throw ControlError(ErrorNumber::IndexOutOfBounds,
                           Name() + ": no button " + std::to_string(number));
    }
    return buttons_[static_cast<std::size_t>(number - 1)];
}

int Toolbar::ButtonNumber(std::string_view key) const {
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        if (!buttons_[i].separator && buttons_[i].key == key) return static_cast<int>(i) + 1;
    }
    return 0;
}

void Toolbar::SetButtonToolTip(int number, std::string tool_tip) {
    if (Assign(At(number).tool_tip, std::move(tool_tip))) Notify(Property::Buttons, number);
}
void Toolbar::SetButtonCaption(int number, std::string caption) {
    if (Assign(At(number).caption, std::move(caption))) Notify(Property::Buttons, number);
}
void Toolbar::SetButtonEnabled(int number, bool enabled) {
    if (Assign(At(number).enabled, enabled)) Notify(Property::Buttons, number);
}
void Toolbar::SetButtonVisible(int number, bool visible) {
    if (Assign(At(number).visible, visible)) Notify(Property::Buttons, number);
}

bool Toolbar::UserClickButton(int number) {
    if (number < 1 || number > ButtonCount() || !UserMayAct()) return false;
    const ToolbarButton& button = buttons_[static_cast<std::size_t>(number - 1)];
    if (button.separator || !button.enabled || !button.visible) return false;
    std::string key = button.key;  // a handler may change the buttons
    Raise(ButtonClick, key);
    return true;
}

bool Toolbar::UserClickButton(std::string_view key) {
    return UserClickButton(ButtonNumber(key));
}

}  // namespace rvm46::forms
