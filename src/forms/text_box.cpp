#include "forms/text_box.h"

#include <utility>

namespace rvm46::forms {

namespace {
// Length in bytes of the UTF-8 sequence starting with `lead`.
std::size_t SequenceLength(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}
}  // namespace

void TextBox::SetText(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    Notify(Property::Text);
    Raise(Change);
}

bool TextBox::UserType(std::string_view chars) {
    if (!UserMayAct() || !TakeFocusForUser()) return false;
    std::size_t pos = 0;
    while (pos < chars.size()) {
        std::size_t len = SequenceLength(static_cast<unsigned char>(chars[pos]));
        if (pos + len > chars.size()) len = chars.size() - pos;
        SetText(text_ + std::string(chars.substr(pos, len)));
        pos += len;
    }
    return true;
}

bool TextBox::UserReplace(std::string text) {
    if (!UserMayAct() || !TakeFocusForUser()) return false;
    SetText(std::move(text));
    return true;
}

bool TextBox::UserClick() {
    if (!UserMayAct() || !TakeFocusForUser()) return false;
    Raise(Click);
    return true;
}

bool TextBox::UserMouseDown(int button, int shift, float x, float y) {
    if (!UserMayAct() || !TakeFocusForUser()) return false;
    Raise(MouseDown, button, shift, x, y);
    return true;
}

void TextBox::SaveDesign() {
    Control::SaveDesign();
    text_design_ = text_;
}

void TextBox::RestoreDesign() {
    Control::RestoreDesign();
    text_ = text_design_;
}

}  // namespace rvm46::forms
