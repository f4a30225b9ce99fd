#include "forms/simple_controls.h"

#include <utility>

namespace rvm46::forms {

bool Label::UserClick() {
    if (!UserMayAct()) return false;
    Raise(Click);
    return true;
}

bool CommandButton::UserClick() {
    if (!UserMayAct() || !TakeFocusForUser()) return false;
    Raise(Click);
    return true;
}

void Picture::SetPictureName(std::string picture) {
    if (picture == picture_) return;
    picture_ = std::move(picture);
    Notify(Property::Picture);
}

bool Picture::UserClick() {
    if (!UserMayAct()) return false;
    Raise(Click);
    return true;
}

void Picture::SaveDesign() {
    CaptionedControl::SaveDesign();
    picture_design_ = picture_;
}

void Picture::RestoreDesign() {
    CaptionedControl::RestoreDesign();
    picture_ = picture_design_;
}

}  // namespace rvm46::forms
