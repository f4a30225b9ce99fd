#pragma once
// The port dialog: the user picks the serial port COM1..COM16 that the transfers open. Beside
// each option it shows the device that COM number stands for, kept current while adapters come
// and go; after a port failed to open it also says why. It reads and writes the main window's
// port number directly; a confirmed port that is a USB adapter is pinned to it.

#include <cstdint>

#include "forms/forms.h"

namespace rvm46::ui {

class FrmMain;

class FrmToolCom : public forms::Form {
  public:
    FrmToolCom(forms::Platform& platform, FrmMain& main);

    forms::Frame& fraToolCom = Add<forms::Frame>("fraToolCom");
    forms::Label& lblToolCom = Add<forms::Label>("lblToolCom", "fraToolCom");
    // Index i is port i + 1.
    forms::ControlArray<forms::OptionButton>& COM1 =
        AddArray<forms::OptionButton>("COM1", "fraToolCom");
    // The device of port i + 1, beside its option.
    forms::ControlArray<forms::Label>& lblComDevice =
        AddArray<forms::Label>("lblComDevice", "fraToolCom");
    // Why the port did not open; empty and hidden otherwise.
    forms::Label& lblPortFailure = Add<forms::Label>("lblPortFailure");
    forms::CommandButton& cmdOK = Add<forms::CommandButton>("cmdOK");
    forms::CommandButton& cmdCancel = Add<forms::CommandButton>("cmdCancel");
    // Looks at the machine's ports again while the dialog is open.
    forms::Timer& tmrPorts = Add<forms::Timer>("tmrPorts");

    // The port number the dialog was opened with.
    std::int16_t mintComPort = 0;

  private:
    void Form_Load();
    void cmdOK_Click();
    void cmdCancel_Click();
    void ShowDevices();
    void PinAdapter(int port);

    FrmMain& main_;
};

}  // namespace rvm46::ui
