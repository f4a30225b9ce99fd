#include "ui/frm_about_soft.h"

#include "model/run_time_error.h"

namespace rvm46::ui {

using namespace forms;

FrmAboutSoft::FrmAboutSoft(Platform& platform, const ModuleState& module,
                           const MainWindowState& window)
    : Form(platform, "frmAboutSoft"), module_(module), window_(window) {
    imgIcon.SetPictureName(kAboutIcon);
    FormLoad = [this] { Form_Load(); };
    cmdOK.Click = [this] { cmdOK_Click(); };
}

void FrmAboutSoft::Form_Load() {
    RunToErrorExit([&] {
        SetCaption(kAboutCaption);
        const bool english = module_.gintLanguage == 2;
        if (english) {
            lblTitle.SetCaption("RVM46 Radio Programming Software");
            lblUseRange.SetCaption("For QA--4100/5100");
            lblVersion.SetCaption(window_.gstrEngVer);
            lblRelease.SetCaption(window_.gstrEngRelease);
            lblDescription.SetCaption("HALVERN Radio Communications");
            lblRights.SetCaption("Copyright (C) 2006 HALVERN. All rights reserved.");
            lblRights.SetVisible(true);
            cmdOK.SetCaption("OK");
        } else {
            lblTitle.SetCaption("RVM46系列对讲机编程软件");
            lblUseRange.SetCaption("用于 QA--4100/5100");
            lblVersion.SetCaption(window_.gstrChsVer);
            lblRelease.SetCaption(window_.gstrChsRelease);
            lblDescription.SetCaption("HALVERN 无线通信 版权所有，保留一切权利。");
            lblRights.SetCaption("");
            lblRights.SetVisible(false);
            cmdOK.SetCaption("确定");
        }
        lblDisClaimer.SetCaption("");
        const std::string& font = english ? window_.gstrEngFont : window_.gstrChsFont;
        SetFontName(font);
        for (Control* control :
             {static_cast<Control*>(&lblTitle), static_cast<Control*>(&lblUseRange),
              static_cast<Control*>(&lblVersion), static_cast<Control*>(&lblRelease),
              static_cast<Control*>(&lblDescription), static_cast<Control*>(&lblRights),
              static_cast<Control*>(&cmdOK)}) {
            control->SetFontName(font);
        }
    });
}

void FrmAboutSoft::cmdOK_Click() {
    Unload();
}

}  // namespace rvm46::ui
