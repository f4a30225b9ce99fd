#include "forms/form.h"

#include <utility>

#include "forms/errors.h"

namespace rvm46::forms {

Form::Form(Platform& platform, std::string name) : platform_(platform), name_(std::move(name)) {}

Form::~Form() = default;

void Form::SetCaption(std::string caption) {
    if (caption == p_.caption) return;
    p_.caption = std::move(caption);
    Notify(Property::Caption);
}

void Form::SetBackColor(Color color) {
    if (color == p_.back) return;
    p_.back = color;
    Notify(Property::BackColor);
}

void Form::SetFontName(std::string font) {
    if (font == p_.font) return;
    p_.font = std::move(font);
    Notify(Property::FontName);
}

void Form::SetBorderless(bool borderless) {
    if (borderless == p_.borderless) return;
    p_.borderless = borderless;
    Notify(Property::Borderless);
}

void Form::CheckNewName(const std::string& name) const {
    if (singles_.count(name) != 0 || arrays_.count(name) != 0) {
        throw std::logic_error(name_ + ": control name " + name + " used twice");
    }
}

void Form::Adopt(std::unique_ptr<Control> control) {
    // A member created after the first load takes its current values as design values.
    if (design_taken_) control->SaveDesign();
    order_.push_back(control.get());
    controls_.push_back(std::move(control));
}

Control* Form::Find(std::string_view name) const {
    auto it = singles_.find(name);
    return it == singles_.end() ? nullptr : it->second;
}

Control* Form::Find(std::string_view name, int index) const {
    ControlArrayBase* array = FindArray(name);
    return array == nullptr ? nullptr : array->FindMember(index);
}

ControlArrayBase* Form::FindArray(std::string_view name) const {
    auto it = arrays_.find(name);
    return it == arrays_.end() ? nullptr : it->second.get();
}

std::vector<MenuItem*> Form::MenuBar() const {
    std::vector<MenuItem*> menus;
    for (Control* control : order_) {
        auto* item = dynamic_cast<MenuItem*>(control);
        if (item != nullptr && item->Container().empty()) menus.push_back(item);
    }
    return menus;
}

void Form::Load() {
    if (loaded_) return;
    if (!design_taken_) {
        for (Control* control : order_) control->SaveDesign();
        design_ = p_;
        design_taken_ = true;
    } else {
        p_ = design_;
        Notify(Property::All);
        for (Control* control : order_) {
            control->RestoreDesign();
            control->NotifyAll();
        }
    }
    active_ = nullptr;
    focus_holder_ = nullptr;
    loaded_ = true;
    Notify(Property::Loaded);
    FormLoad.Raise();
}

void Form::Show() {
    Load();
    if (!loaded_ || visible_) return;
    visible_ = true;
    Notify(Property::Visible);
}

void Form::ShowModal(Form* owner) {
    Load();
    if (!loaded_) return;
    owner_ = owner;
    modal_ = true;
    if (!visible_) {
        visible_ = true;
        Notify(Property::Visible);
    }
    platform_.ShowModal(*this, owner);
    modal_ = false;
}

void Form::Hide() {
    if (!visible_) return;
    visible_ = false;
    Notify(Property::Visible);
}

bool Form::DoUnload(UnloadMode mode) {
    if (!loaded_) return true;
    bool cancel = false;
    FormQueryUnload.Raise(cancel, mode);
    if (cancel || !loaded_) return !loaded_;
    FormUnload.Raise(cancel);
    if (cancel || !loaded_) return !loaded_;
    loaded_ = false;
    visible_ = false;
    modal_ = false;
    owner_ = nullptr;
    active_ = nullptr;
    focus_holder_ = nullptr;
    Notify(Property::Visible);
    Notify(Property::Loaded);
    platform_.CloseForm(*this);
    return true;
}

bool Form::Unload() {
    return DoUnload(UnloadMode::FormCode);
}

bool Form::UserClose() {
    if (!loaded_ || NotificationInProgress()) return false;
    return DoUnload(UnloadMode::FormControlMenu);
}

void Form::PopupMenu(MenuItem& menu) {
    platform_.PopupMenu(*this, menu);
}

void Form::SetFocus(Control& control) {
    if (!control.CanFocus() || !control.Enabled() || !control.Visible()) {
        throw ControlError(ErrorNumber::InvalidProcedureCall,
                           control.Name() + " cannot take the focus");
    }
    if (active_ == &control) return;
    active_ = &control;
    Notify(Property::ActiveControl);
    if (!loaded_) return;
    if (focus_holder_ != nullptr && focus_holder_ != &control) {
        Control* previous = focus_holder_;
        focus_holder_ = nullptr;
        previous->LostFocus.Raise();
    }
    // A LostFocus handler may have moved the focus elsewhere; then this control gets nothing.
    if (active_ == &control && focus_holder_ != &control) {
        focus_holder_ = &control;
        control.GotFocus.Raise();
    }
}

}  // namespace rvm46::forms
