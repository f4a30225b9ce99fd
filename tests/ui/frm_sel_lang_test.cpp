// The first-start language window's OK: a language outside 1 and 2, which no control of the window
// sets, is repaired. Loading, choosing and closing are in the first_start_english scenario.
#include "ui/frm_sel_lang.h"

#include <gtest/gtest.h>

#include "support/scripted_platform.h"

namespace rvm46::ui {
namespace {

TEST(FrmSelLangTest, OKRepairsALanguageOutsideOneAndTwo) {
    forms::testing::ScriptedPlatform platform;
    std::int16_t gintLanguage = 0;
    FrmSelLang window{platform, gintLanguage, 0xCADCEC};
    platform.QueueModal([&](forms::Form&) {
        gintLanguage = 7;  // as if something had written a stray value meanwhile
        window.cmdOK.UserClick();
    });
    window.ShowModal(nullptr);
    EXPECT_EQ(gintLanguage, 1);
    EXPECT_FALSE(window.Loaded());
}

}  // namespace
}  // namespace rvm46::ui
