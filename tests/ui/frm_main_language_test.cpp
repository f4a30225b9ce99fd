// Switching the interface language: every text follows, every selection stays.
#include "ui/main_window_fixture.h"

namespace rvm46::testing {
namespace {

using forms::MsgResult;

class LanguageSwitchTest : public MainWindowTest {
  protected:
    ui::FrmMain& StartIn(int language) {
        InstallDeliveredFiles();
        WillAnswerLanguage(language);
        return Start();
    }
};

TEST_F(LanguageSwitchTest, ChineseToEnglishRetextsEverythingAndKeepsSelections) {
    ui::FrmMain& w = StartIn(1);
    w.cboMoniSel.UserSelect(2);
    w.cboWideNarrow.SetListIndex(0);
    w.gstrCurrentFile = "/data/radio.Dat";
    EXPECT_EQ(w.cboMoniSel.Text(), "触发监听");
    EXPECT_EQ(w.cboTransQTSel.ListIndex(), -1);

    ASSERT_TRUE(w.mnuLangSel1.UserClick());
    EXPECT_EQ(w.gintLanguage, 2);
    EXPECT_TRUE(w.mnuLangSel1.Checked());
    EXPECT_FALSE(w.mnuLangSel0.Checked());
    EXPECT_EQ(Config("Language"), "2");
    EXPECT_EQ(w.Caption(), "RVM46 Radio Programming Software V1.0");

    // Captions, menus, tool tips and status panels.
    EXPECT_EQ(w.mnuFile.Caption(), " &File ");
    EXPECT_EQ(w.lblType.ToolTipText(), "Select Model");
    EXPECT_EQ(w.fraFreDisplay.Caption(), "Channel Information");
    EXPECT_EQ(w.tlbFrmMain.Button(w.tlbFrmMain.ButtonNumber("Read")).tool_tip,
              "Read data from Radio");
    EXPECT_EQ(w.sbrStatus.PanelToolTip(2), "Communication Port");
    EXPECT_EQ(w.sbrStatus.PanelText(3), "File Name: /data/radio.Dat");

    // Lists: same index, new words; no selection stays none; other items untouched.
    EXPECT_EQ(w.cboMoniSel.ListIndex(), 2);
    EXPECT_EQ(w.cboMoniSel.Text(), "Monitor Lock");
    EXPECT_EQ(w.cboWideNarrow.Text(), "Wide");
    EXPECT_EQ(w.cboTransTimeSel.List(10), "300");
    EXPECT_EQ(w.cboTransQTSel.ListIndex(), -1);
    EXPECT_EQ(w.cboTransQTSel.List(0), "None");
    EXPECT_EQ(w.cboTransQTSel.List(204), w.tones.gstrQTDQTList[204]);
    EXPECT_EQ(w.cboTransQTSel.ListCount(), 205);

    // Fonts.
    EXPECT_EQ(w.lblType.FontName(), "Times New Roman");
    EXPECT_EQ(w.txtChannel(2005).FontName(), "Times New Roman");

    // The next message is in the new language.
    platform_->QueueAnswer(MsgResult::No);
    w.mnuExit.UserClick();
    EXPECT_EQ(platform_->Messages().back().prompt, "Are you sure want to exit?");
    EXPECT_EQ(platform_->Messages().back().title, "Notice");
}

TEST_F(LanguageSwitchTest, EnglishToChinese) {
    ui::FrmMain& w = StartIn(2);
    w.cboVoiceHintSel.UserSelect(1);
    w.cboReceQTSel.SetEnabled(true);
    w.cboReceQTSel.UserSelect(40);
    ASSERT_TRUE(w.mnuLangSel0.UserClick());
    EXPECT_EQ(w.gintLanguage, 1);
    EXPECT_EQ(Config("Language"), "1");
    EXPECT_EQ(w.lblType.Caption(), " 机型:");
    EXPECT_EQ(w.cboVoiceHintSel.Text(), "关闭");
    EXPECT_EQ(w.cboReceQTSel.ListIndex(), 40);
    EXPECT_EQ(w.cboReceQTSel.List(0), "无");
    EXPECT_EQ(w.sbrStatus.PanelText(3), "文件名: " + (folder_ / "Data" / "TempData.dat").string());
    EXPECT_EQ(w.lblChannel(3).FontName(), "宋体");

    platform_->QueueAnswer(MsgResult::No);
    w.tlbFrmMain.UserClickButton("Exit");
    EXPECT_EQ(platform_->Messages().back().prompt, "你要退出吗?");
    EXPECT_EQ(platform_->Messages().back().title, "提示");
}

// A channel in use gets its language-dependent cells rewritten; a row without channel only gets
// the background of an unused row.
TEST_F(LanguageSwitchTest, GridCellsOfChannelsInUse) {
    ui::FrmMain& w = StartIn(1);
    w.gdblChannel[0] = {446.00625, 446.00625, 0, 5, 1, 0, -1, -1};
    w.txtChannel(3001).SetText("kept");
    w.mnuLangSel1.UserClick();
    EXPECT_EQ(w.txtChannel(3000).Text(), "None");
    EXPECT_EQ(w.txtChannel(4000).Text(), "");  // a real tone is not rewritten here
    EXPECT_EQ(w.txtChannel(5000).Text(), "Yes");
    EXPECT_EQ(w.txtChannel(6000).Text(), "No");
    EXPECT_EQ(w.txtChannel(1000).BackColor(), w.gdblColorTextText);
    EXPECT_EQ(w.txtChannel(3001).Text(), "kept");
    EXPECT_EQ(w.txtChannel(3001).BackColor(), w.gdblColorText);
}

}  // namespace
}  // namespace rvm46::testing
