// The first-start language window, driven as the user would: through its controls while it is
// shown modally.
#include "ui/frm_sel_lang.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

#include "support/scripted_platform.h"

namespace rvm46::ui {
namespace {

using forms::testing::ScriptedPlatform;

constexpr std::uint32_t kPanelColor = 0xCADCEC;

class FrmSelLangTest : public ::testing::Test {
  protected:
    // Shows the window modally; `user` acts on it while it is up.
    void ShowAndDo(const std::function<void(FrmSelLang&)>& user) {
        platform.QueueModal([&](forms::Form& form) { user(static_cast<FrmSelLang&>(form)); });
        window.ShowModal(nullptr);
    }

    ScriptedPlatform platform;
    std::int16_t gintLanguage = 0;  // first start: nothing stored yet
    FrmSelLang window{platform, gintLanguage, kPanelColor};
};

// Whatever was stored, the window comes up with Chinese chosen; OK alone keeps it and closes.
// That it is borderless is in the first_start_english scenario.
TEST_F(FrmSelLangTest, LoadSelectsChineseInThePanelColour) {
    gintLanguage = 2;
    ShowAndDo([&](FrmSelLang& w) {
        EXPECT_EQ(w.imgEng.Caption(), kSelLangEnglish);  // words, not an image name
        EXPECT_EQ(w.imgEng.PictureName(), "");
        EXPECT_EQ(gintLanguage, 1);
        EXPECT_TRUE(w.optSelCh(0).Value());
        EXPECT_EQ(w.BackColor(), kPanelColor);
        EXPECT_EQ(w.optSelCh(1).BackColor(), kPanelColor);
        EXPECT_TRUE(w.cmdOK.UserClick());
    });
    EXPECT_EQ(gintLanguage, 1);
    EXPECT_EQ(platform.ClosedForms(), std::vector<std::string>{"frmSelLang"});
}

TEST_F(FrmSelLangTest, OKRepairsALanguageOutsideOneAndTwo) {
    ShowAndDo([&](FrmSelLang& w) {
        gintLanguage = 7;  // as if something had written a stray value meanwhile
        w.cmdOK.UserClick();
    });
    EXPECT_EQ(gintLanguage, 1);
    EXPECT_FALSE(window.Loaded());
}

}  // namespace
}  // namespace rvm46::ui
