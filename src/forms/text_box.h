#pragma once
// Single-line text box.

#include <string>
#include <string_view>

#include "forms/control.h"

namespace rvm46::forms {

class TextBox : public Control {
  public:
    explicit TextBox(const ControlInit& init) : Control(init, kColorWhite) {}
    const char* TypeName() const override { return "TextBox"; }
    bool CanFocus() const override { return true; }

    const std::string& Text() const { return text_; }
    // Raises Change only when the text really changes.
    void SetText(std::string text);

    // The user types `chars` at the end of the text, one character (UTF-8 code point) at a
    // time, each keystroke raising Change; the box takes the focus first.
    bool UserType(std::string_view chars);
    // The user replaces the whole text at once (select all and paste): one Change.
    bool UserReplace(std::string text);
    // Left-button click: focus, then Click. A right-button press is UserMouseDown only.
    bool UserClick();
    // Focus first (as the pointer gives it), then MouseDown.
    bool UserMouseDown(int button, int shift, float x, float y);

    Event<> Change;
    Event<> Click;
    Event<int, int, float, float> MouseDown;  // button, shift, x, y

  protected:
    void SaveDesign() override;
    void RestoreDesign() override;

  private:
    std::string text_;
    std::string text_design_;
};

}  // namespace rvm46::forms
