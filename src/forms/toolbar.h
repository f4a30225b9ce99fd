#pragma once
// Toolbar whose buttons carry text keys. Buttons are numbered from 1 in the order added;
// separators take a number too.

#include <string>
#include <string_view>
#include <vector>

#include "forms/control.h"

namespace rvm46::forms {

struct ToolbarButton {
    std::string key;
    std::string caption;
    std::string tool_tip;
    std::string image;  // image resource name for the renderer
    bool separator = false;
    bool enabled = true;
    bool visible = true;
};

class Toolbar : public Control {
  public:
    explicit Toolbar(const ControlInit& init) : Control(init, kColorButtonFace) {}
    const char* TypeName() const override { return "Toolbar"; }

    // Both return the new button's number.
    int AddButton(std::string key, std::string tool_tip = {}, std::string image = {});
    int AddSeparator();

    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    // A number outside 1..ButtonCount is a run-time error.
    const ToolbarButton& Button(int number) const;
    // 0 when no button has the key.
    int ButtonNumber(std::string_view key) const;

    void SetButtonToolTip(int number, std::string tool_tip);
    void SetButtonCaption(int number, std::string caption);
    void SetButtonEnabled(int number, bool enabled);
    void SetButtonVisible(int number, bool visible);

    // The user presses a button: ButtonClick with its key. Refused for separators, disabled or
    // hidden buttons, an unknown key or number, or a toolbar that cannot take input.
    bool UserClickButton(std::string_view key);
    bool UserClickButton(int number);

    Event<const std::string&> ButtonClick;  // the button's key

  protected:
    void SaveDesign() override {
        Control::SaveDesign();
        buttons_design_ = buttons_;
    }
    void RestoreDesign() override {
        Control::RestoreDesign();
        buttons_ = buttons_design_;
    }

  private:
    ToolbarButton& At(int number);

    std::vector<ToolbarButton> buttons_;
    std::vector<ToolbarButton> buttons_design_;
};

}  // namespace rvm46::forms
