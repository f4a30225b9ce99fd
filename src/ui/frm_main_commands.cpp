// Toolbar buttons: each key does what its menu item does; an unknown key does nothing.
#include <string>

#include "model/run_time_error.h"
#include "ui/frm_main.h"

namespace rvm46::ui {

void FrmMain::tlbFrmMain_ButtonClick(const std::string& key) {
    RunToErrorExit([&] {
        if (key == "FileNew") NewFile();
        if (key == "FileOpen") OpenFile();
        if (key == "FileSave") SaveFile();
        if (key == "Help") Help();
        if (key == "Exit") mnuExit_Click();
        // "Read", "Write" and "Com" are dispatched here as their commands are built.
    });
}

}  // namespace rvm46::ui
