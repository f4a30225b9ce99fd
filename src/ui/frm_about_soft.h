#pragma once
// The about box: the program's name, the models it serves, the version and release lines of the
// configuration and the maker's rights notice, in the language active when it is loaded.

#include "forms/forms.h"
#include "model/module_state.h"
#include "ui/main_window_state.h"

namespace rvm46::ui {

// The window title, the same in both languages.
inline constexpr const char* kAboutCaption = "HALVERN RVM46";
// The image of the icon picture: the program's own icon.
inline constexpr const char* kAboutIcon = "rvm46-programmer";

class FrmAboutSoft : public forms::Form {
  public:
    // Reads the main window's language, version lines and fonts when it is loaded.
    FrmAboutSoft(forms::Platform& platform, const ModuleState& module,
                 const MainWindowState& window);

    forms::Picture& imgIcon = Add<forms::Picture>("imgIcon");
    forms::Label& lblTitle = Add<forms::Label>("lblTitle");
    forms::Label& lblUseRange = Add<forms::Label>("lblUseRange");
    forms::Label& lblVersion = Add<forms::Label>("lblVersion");
    forms::Label& lblRelease = Add<forms::Label>("lblRelease");
    forms::Label& lblDescription = Add<forms::Label>("lblDescription");
    forms::Label& lblRights = Add<forms::Label>("lblRights");
    forms::Label& lblDisClaimer = Add<forms::Label>("lblDisClaimer");
    forms::CommandButton& cmdOK = Add<forms::CommandButton>("cmdOK");

  private:
    void Form_Load();
    void cmdOK_Click();

    const ModuleState& module_;
    const MainWindowState& window_;
};

}  // namespace rvm46::ui
