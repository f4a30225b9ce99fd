// Toolbar buttons: each key does what its menu item does; an unknown key does nothing.
#include <string>

#include "model/run_time_error.h"
#include "ui/frm_main.h"

namespace rvm46::ui {

void FrmMain::tlbFrmMain_ButtonClick(const std::string& key) {
    RunToErrorExit([&] {
        if (key == "Exit") mnuExit_Click();
        // "FileNew", "FileOpen", "FileSave", "Read", "Write", "Com" and "Help" are dispatched
        // here as their commands are built.
    });
}

}  // namespace rvm46::ui
