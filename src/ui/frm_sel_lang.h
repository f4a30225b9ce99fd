#pragma once
// The language selection window, shown once on the first start before the main window: the
// user picks Chinese or English and presses OK. It writes the main window's language directly.

#include <cstdint>

#include "forms/forms.h"

namespace rvm46::ui {

// The words on the window's pictures and on its button; the same in both languages.
inline constexpr const char* kSelLangHeading = "Select Language\n选择语言";
inline constexpr const char* kSelLangChinese = "简体中文（Chinese）";
inline constexpr const char* kSelLangEnglish = "English（英语）";
inline constexpr const char* kSelLangOK = "OK（确定）";

class FrmSelLang : public forms::Form {
  public:
    // `gintLanguage` is the main window's language (1 Chinese, 2 English); `gdblColorFull` the
    // background colour of its panels.
    FrmSelLang(forms::Platform& platform, std::int16_t& gintLanguage, std::uint32_t gdblColorFull);

    forms::Picture& imgSelLang = Add<forms::Picture>("imgSelLang");
    forms::Frame& fraSelLang = Add<forms::Frame>("fraSelLang");
    forms::ControlArray<forms::OptionButton>& optSelCh =
        AddArray<forms::OptionButton>("optSelCh", "fraSelLang");
    forms::Picture& imgChs = Add<forms::Picture>("imgChs", "fraSelLang");
    forms::Picture& imgEng = Add<forms::Picture>("imgEng", "fraSelLang");
    forms::CommandButton& cmdOK = Add<forms::CommandButton>("cmdOK");

  private:
    void Form_Load();
    void optSelCh_Click(int Index);
    void imgChs_Click();
    void imgEng_Click();
    void cmdOK_Click();

    std::int16_t& gintLanguage_;
    std::uint32_t gdblColorFull_;
};

}  // namespace rvm46::ui
