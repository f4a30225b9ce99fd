// The about box in both languages, and the help file of the active language.
#include "ui/main_window_fixture.h"

namespace rvm46::testing {
namespace {

class AboutHelpTest : public MainWindowTest {
  protected:
    ui::FrmMain& StartIn(int language) {
        InstallDeliveredFiles();
        SetConfig("Setting", "Language", std::to_string(language));
        return Start();
    }

    // Opens the about box; `look` sees it while it is shown, then OK closes it.
    void ShowAbout(const std::function<void(ui::FrmAboutSoft&)>& look) {
        platform_->QueueModal([&](forms::Form& form) {
            auto& about = dynamic_cast<ui::FrmAboutSoft&>(form);
            look(about);
            about.cmdOK.UserClick();
        });
        window_->mnuAboutSoft.UserClick();
    }
};

TEST_F(AboutHelpTest, AboutBoxShowsTheTextsAndFontsOfTheLanguage) {
    struct Case {
        int language;
        const char* title;
        const char* range;
        const char* version;
        const char* release;
        const char* ok;
        const char* font;
        bool rights;
    };
    for (const Case c : {Case{2, "RVM46 Radio Programming Software", "For QA--4100/5100",
                              "Version: V1.0", "Release: 2006.01", "OK", "Times New Roman", true},
                         Case{1, "RVM46系列对讲机编程软件", "用于 QA--4100/5100", "中英文版：V1.0",
                              "发布时间：2006.01", "确定", "宋体", false}}) {
        SCOPED_TRACE(c.language);
        StartIn(c.language);
        window_->gstrEngVer = "Version: V1.0";  // the lines come from the configuration
        window_->gstrChsVer = "中英文版：V1.0";
        bool shown = false;
        ShowAbout([&](ui::FrmAboutSoft& about) {
            shown = true;
            EXPECT_EQ(about.Caption(), "HALVERN RVM46");
            EXPECT_EQ(about.lblTitle.Caption(), c.title);
            EXPECT_EQ(about.lblUseRange.Caption(), c.range);
            EXPECT_EQ(about.lblVersion.Caption(), c.version);
            EXPECT_EQ(about.lblRelease.Caption(), c.release);
            EXPECT_EQ(about.cmdOK.Caption(), c.ok);
            EXPECT_FALSE(about.lblDescription.Caption().empty());
            EXPECT_EQ(about.lblRights.Visible(), c.rights);
            EXPECT_EQ(about.lblRights.Caption().empty(), !c.rights);
            EXPECT_EQ(about.lblDisClaimer.Caption(), "");
            EXPECT_EQ(about.imgIcon.PictureName(), "rvm46-programmer");
            EXPECT_EQ(about.FontName(), c.font);
            EXPECT_EQ(about.lblTitle.FontName(), c.font);
            EXPECT_EQ(about.cmdOK.FontName(), c.font);
        });
        EXPECT_TRUE(shown);
        ASSERT_EQ(platform_->Modals().size(), 1u);
        EXPECT_EQ(platform_->Modals()[0].owner, "frmMain");
        EXPECT_EQ(window_->frmAboutSoft, nullptr);
    }
}

TEST_F(AboutHelpTest, HelpOpensTheFileOfTheActiveLanguageWithoutAnyMessage) {
    ui::FrmMain& w = StartIn(2);
    const std::string folder = folder_.path().string();
    w.mnuHelpTopic.UserClick();
    w.mnuLangSel0.UserClick();
    w.tlbFrmMain.UserClickButton("Help");
    // The help files are missing here: still no message of the program's own.
    EXPECT_EQ(platform_->ShellOpens(),
              (std::vector<std::string>{folder + "/Help/EngHELP_5100.chm",
                                        folder + "/Help/CHSHELP_5100.chm"}));
    EXPECT_TRUE(platform_->Messages().empty());
}

}  // namespace
}  // namespace rvm46::testing
