#pragma once
// Menu item. A top-level item (empty container) is a menu of the menu bar; any other item names
// its parent item as its container, so menus and submenus nest. An item captioned "-" is a
// separator. A hidden top-level item can still be shown as a pop-up menu (Form::PopupMenu).

#include <string>
#include <vector>

#include "forms/control.h"

namespace rvm46::forms {

class MenuItem : public CaptionedControl {
  public:
    explicit MenuItem(const ControlInit& init) : CaptionedControl(init, kColorButtonFace) {}
    const char* TypeName() const override { return "MenuItem"; }

    bool Checked() const { return p_.checked; }
    void SetChecked(bool checked);
    // Shortcut as shown beside the caption, e.g. "Ctrl+N" or "F1"; empty = none.
    const std::string& Shortcut() const { return p_.shortcut; }
    void SetShortcut(std::string shortcut);

    bool IsSeparator() const { return Caption() == "-"; }
    // Items whose container is this item, in the order they were added to the form.
    std::vector<MenuItem*> Children() const;

    // The user chooses the item (from its menu, a pop-up menu or its shortcut). Separators
    // cannot be chosen. The check mark is not changed: handlers set it.
    bool UserClick();

    Event<> Click;

  protected:
    void SaveDesign() override {
        CaptionedControl::SaveDesign();
        design_ = p_;
    }
    void RestoreDesign() override {
        CaptionedControl::RestoreDesign();
        p_ = design_;
    }

  private:
    struct Props {
        bool checked = false;
        std::string shortcut;
    };
    Props p_;
    Props design_;
};

}  // namespace rvm46::forms
