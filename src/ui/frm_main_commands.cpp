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
        if (key == "Read") mnuReadFre_Click();
        if (key == "Write") mnuWriteFre_Click();
        if (key == "Com") mnuCommunicate_Click();
    });
}

}  // namespace rvm46::ui
