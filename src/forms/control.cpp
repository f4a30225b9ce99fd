#include "forms/control.h"

#include "forms/assign.h"
#include "forms/errors.h"
#include "forms/form.h"

namespace rvm46::forms {

Control::Control(const ControlInit& init, Color back_color)
    : form_(init.form), name_(init.name), index_(init.index), container_(init.container) {
    c_.back = back_color;
    c_design_ = c_;
}

void Control::SetEnabled(bool enabled) {
    if (Assign(c_.enabled, enabled)) Notify(Property::Enabled);
}
void Control::SetVisible(bool visible) {
    if (Assign(c_.visible, visible)) Notify(Property::Visible);
}
void Control::SetForeColor(Color color) {
    if (Assign(c_.fore, color)) Notify(Property::ForeColor);
}
void Control::SetBackColor(Color color) {
    if (Assign(c_.back, color)) Notify(Property::BackColor);
}
void Control::SetFontName(std::string font) {
    if (Assign(c_.font, std::move(font))) Notify(Property::FontName);
}
void Control::SetToolTipText(std::string tip) {
    if (Assign(c_.tip, std::move(tip))) Notify(Property::ToolTipText);
}

void Control::SetFocus() {
    form_->SetFocus(*this);
}

bool Control::HasFocus() const {
    return form_->ActiveControl() == this;
}

bool Control::UserFocus() {
    if (!UserMayAct() || !CanFocus()) return false;
    return TakeFocusForUser();
}

bool Control::EventsLive() const {
    return form_->Loaded();
}

bool Control::UserMayAct() const {
    return !NotificationInProgress() && form_->Loaded() && c_.enabled && c_.visible;
}

bool Control::TakeFocusForUser() {
    if (!CanFocus()) return true;
    if (!HasFocus()) form_->SetFocus(*this);
    return HasFocus();
}

void CaptionedControl::SetCaption(std::string caption) {
    if (Assign(caption_, std::move(caption))) Notify(Property::Caption);
}

void CaptionedControl::SaveDesign() {
    Control::SaveDesign();
    caption_design_ = caption_;
}

void CaptionedControl::RestoreDesign() {
    Control::RestoreDesign();
    caption_ = caption_design_;
}

}  // namespace rvm46::forms
