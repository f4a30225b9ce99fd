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

namespace {

// The about box's own texts per language; the rights line shows only in English.
struct AboutTexts {
    const char* title;
    const char* useRange;
    const char* description;
    const char* rights;
    const char* ok;
};

constexpr AboutTexts kEnglish = {"RVM46 Radio Programming Software", "For QA--4100/5100",
                                 "HALVERN Radio Communications",
                                 "Copyright (C) 2006 HALVERN. All rights reserved.", "OK"};
constexpr AboutTexts kChinese = {"RVM46系列对讲机编程软件", "用于 QA--4100/5100",
                                 "HALVERN 无线通信 版权所有，保留一切权利。", "", "确定"};

}  // namespace

void FrmAboutSoft::Form_Load() {
    RunToErrorExit([&] {
        SetCaption(kAboutCaption);
        const bool english = module_.gintLanguage == 2;
        const AboutTexts& text = english ? kEnglish : kChinese;
        lblTitle.SetCaption(text.title);
        lblUseRange.SetCaption(text.useRange);
        lblVersion.SetCaption(english ? window_.gstrEngVer : window_.gstrChsVer);
        lblRelease.SetCaption(english ? window_.gstrEngRelease : window_.gstrChsRelease);
        lblDescription.SetCaption(text.description);
        lblRights.SetCaption(text.rights);
        lblRights.SetVisible(english);
        lblDisClaimer.SetCaption("");
        cmdOK.SetCaption(text.ok);

        const std::string& font = english ? window_.gstrEngFont : window_.gstrChsFont;
        SetFontName(font);
        for (Control* control :
             std::initializer_list<Control*>{&lblTitle, &lblUseRange, &lblVersion, &lblRelease,
                                             &lblDescription, &lblRights, &cmdOK}) {
            control->SetFontName(font);
        }
    });
}

void FrmAboutSoft::cmdOK_Click() {
    Unload();
}

}  // namespace rvm46::ui
