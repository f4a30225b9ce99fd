#include "ui/frm_sel_lang.h"

#include "model/run_time_error.h"
#include "ui/text_table.h"

namespace rvm46::ui {

FrmSelLang::FrmSelLang(forms::Platform& platform, std::int16_t& gintLanguage,
                       std::uint32_t gdblColorFull)
    : Form(platform, "frmSelLang"), gintLanguage_(gintLanguage), gdblColorFull_(gdblColorFull) {
    // No border, no title bar. The texts are pictures of words, the same whatever the language.
    SetBorderless(true);
    imgSelLang.SetCaption(kSelLangHeading);
    optSelCh.AddRange(0, 1);
    imgChs.SetCaption(kSelLangChinese);
    imgEng.SetCaption(kSelLangEnglish);
    cmdOK.SetCaption(kSelLangOK);

    FormLoad = [this] { Form_Load(); };
    optSelCh.On(&forms::OptionButton::Click, [this](int index) { optSelCh_Click(index); });
    imgChs.Click = [this] { imgChs_Click(); };
    imgEng.Click = [this] { imgEng_Click(); };
    cmdOK.Click = [this] { cmdOK_Click(); };
}

void FrmSelLang::Form_Load() {
    RunToErrorExit([&] {
        optSelCh(0).SetValue(true);  // raises optSelCh_Click(0): Chinese
        optSelCh(1).SetValue(false);
        SetBackColor(gdblColorFull_);
        fraSelLang.SetBackColor(gdblColorFull_);
        optSelCh(0).SetBackColor(gdblColorFull_);
        optSelCh(1).SetBackColor(gdblColorFull_);
        cmdOK.SetBackColor(gdblColorFull_);
    });
}

void FrmSelLang::optSelCh_Click(int Index) {
    gintLanguage_ = Index == 0 ? kLanguageChinese : kLanguageEnglish;
}

void FrmSelLang::imgChs_Click() {
    RunToErrorExit([&] { optSelCh(0).SetValue(true); });
}

void FrmSelLang::imgEng_Click() {
    RunToErrorExit([&] { optSelCh(1).SetValue(true); });
}

void FrmSelLang::cmdOK_Click() {
    RunToErrorExit([&] {
        if (gintLanguage_ != kLanguageChinese && gintLanguage_ != kLanguageEnglish) {
            gintLanguage_ = kLanguageChinese;
        }
    });
    // The window goes whatever happened above.
    Unload();
}

}  // namespace rvm46::ui
