// Start-up of the main window against missing, delivered and hand-edited configuration files.
#include "ui/main_window_fixture.h"

namespace rvm46::testing {
namespace {

TEST_F(MainWindowTest, FirstStartThenSecondStart) {
    WillAnswerLanguage(2);
    ui::FrmMain& w = Start();

    EXPECT_TRUE(fs::is_directory(folder_ / "Data"));
    EXPECT_TRUE(fs::is_directory(folder_ / "Setting"));
    ASSERT_EQ(w.cboTypeSel.ListCount(), 4);
    for (int m = 0; m < 4; ++m) EXPECT_EQ(w.cboTypeSel.List(m), "5100");
    EXPECT_TRUE(w.gblnValLegal);
    EXPECT_EQ(w.BackColor(), 0xCADCECu);  // the first run keeps the colours read before it
    EXPECT_EQ(w.gstrCurrentFile, (folder_ / "Data" / "TempData.dat").string());
    EXPECT_EQ(w.chkFreReceEquTrans.Value(), 1);
    // Function lists at their defaults.
    EXPECT_EQ(w.cboSqlSel.Text(), "6");
    EXPECT_EQ(w.cboMoniSel.Text(), "SQ Off Momentary");
    EXPECT_EQ(w.cboWideNarrow.Text(), "Narrow");
    EXPECT_EQ(w.gbytMatrixCode, BlankImage());

    const std::pair<const char*, const char*> written[] = {
        {"FreEqual", "1"},         {"ValLegal", "True"},      {"NotLimitedModel", "True"},
        {"ColorFull", "&HD8DBE4"}, {"ColorText", "&HDDDEE4"}, {"Path", "<missing>"}};
    // Only a confirmed exit stores the data file's path (exit_menu and language_switch).
    for (const auto& [key, value] : written) EXPECT_EQ(Config(key), value) << key;

    ui::FrmMain& second = Start();
    EXPECT_EQ(LanguageQuestions(), 0);
    EXPECT_EQ(second.gintLanguage, 2);
    EXPECT_EQ(second.BackColor(), 0xD8DBE4u);
    EXPECT_EQ(second.txtChannel(1000).BackColor(), 0xDDDEE4u);
}

struct HandEdit {
    const char* section;
    const char* key;
    const char* value;
};

TEST_F(MainWindowTest, HandEditedValuesThatAreNotNumbersBringTheLanguageWindowBack) {
    WillAnswerLanguage(2);
    Start();
    for (const HandEdit edit : {HandEdit{"Setting", "COM", "x"},
                                {"Setting", "Model", "one"},
                                {"Setting", "ValLegal", "maybe"},
                                {"Setting", "FreEqual", "?"},
                                {"Setting", "Language", ""}}) {
        SCOPED_TRACE(edit.key);
        SetConfig("Setting", "COM", "7");
        SetConfig(edit.section, edit.key, edit.value);
        WillAnswerLanguage(1);
        ui::FrmMain& w = Start();
        EXPECT_EQ(LanguageQuestions(), 1);
        EXPECT_EQ(w.gintLanguage, 1);
        EXPECT_EQ(w.gintComPort, 1);  // the first-run values replace the stored ones
        EXPECT_EQ(Config("COM"), "1");
        EXPECT_EQ(Config("Language"), "1");
    }
}

TEST_F(MainWindowTest, HandEditedValuesWithinReach) {
    WillAnswerLanguage(2);
    Start();
    // Model 4 is one past the four models.
    const HandEdit edits[] = {{"Setting", "Model", "4"},       {"Setting", "Language", "3"},
                              {"Setting", "FreEqual", "5"},    {"Setting", "COM", "12"},
                              {"Setting", "Path", "/x/o.Dat"}, {"Setting", "ValLegal", "false"},
                              {"Default", "TimeOut", "10"}};
    for (const HandEdit& e : edits) SetConfig(e.section, e.key, e.value);
    SetConfig("Title", "EngTitle", std::string(60, 'T'));
    ui::FrmMain& w = Start();
    EXPECT_EQ(LanguageQuestions(), 0);
    EXPECT_EQ(w.cboTypeSel.ListIndex(), 0);
    EXPECT_EQ(Config("Model"), "0");
    EXPECT_EQ(w.gintLanguage, 2);
    EXPECT_TRUE(w.mnuLangSel1.Checked());
    EXPECT_EQ(Config("Language"), "2");
    EXPECT_EQ(w.chkFreReceEquTrans.Value(), 1);
    EXPECT_EQ(w.sbrStatus.PanelText(2), "COM12");
    EXPECT_FALSE(w.gblnValLegal);
    EXPECT_EQ(Config("ValLegal"), "False");
    EXPECT_EQ(w.gstrCurrentFile, (folder_ / "Data" / "TempData.dat").string());
    EXPECT_EQ(w.cboTransTimeSel.Text(), "30");
    EXPECT_EQ(w.Caption(), std::string(49, 'T'));

    platform_->QueueAnswer(MsgResult::Yes);
    w.mnuExit.UserClick();
    EXPECT_EQ(Config("FreEqual"), "1");
}

// Values beyond the file's stated limits get a defined reading and never stop the start-up.
TEST_F(MainWindowTest, ValuesBeyondTheLimits) {
    WillAnswerLanguage(2);
    Start();
    const auto modelCount = [&](const char* value) {
        SetConfig("Model", "ModCnt", value);
        return Start().models.gintModelCount;
    };
    const std::pair<const char*, int> counts[] = {{"0", 4}, {"x", 4}, {"7", 7}, {"9", 7}, {"2", 2}};
    for (const auto& [value, count] : counts) EXPECT_EQ(modelCount(value), count) << value;

    const HandEdit edits[] = {
        {"Model", "1", "abc"},      {"Model", "2", "470.5"},          {"Model", "101", "300"},
        {"Model", "102", "-1"},     {"Model", "103", "7.5"},          {"Model", "104", "x"},
        {"Default", "Sql", "x"},    {"Default", "TimeOut", ":"},      {"Default", "MoniKey", "7"},
        {"Setting", "Model", "-3"}, {"Setting", "ColorFull", "&Hxyz"}};
    for (const HandEdit& e : edits) SetConfig(e.section, e.key, e.value);
    ui::FrmMain& w = Start();
    EXPECT_EQ(LanguageQuestions(), 0);
    EXPECT_EQ(w.models.gstrFreRange[0], "0-470MHz");
    // Model-block values reach the encoder rounded, and one that is not a byte as it is (the
    // encoder leaves such a byte FFh).
    const auto& data = w.models.gintModelData;
    EXPECT_EQ(std::vector<int>(data.begin() + 1, data.begin() + 5), (std::vector{300, -1, 8, -1}));
    EXPECT_EQ(w.cboSqlSel.Text(), "6");
    EXPECT_EQ(w.cboTransTimeSel.ListIndex(), 2);
    EXPECT_EQ(w.cboMoniSel.ListIndex(), 3);
    EXPECT_EQ(w.cboTypeSel.ListIndex(), 0);
    EXPECT_EQ(w.gdblColorFull, 0xCADCECu);
}

// A configuration that cannot be written: the language is asked once, and the program runs on
// the first-run values.
TEST_F(MainWindowTest, UnwritableConfigurationAsksOnlyOnce) {
    fs::create_directories(ConfigFile());  // a folder where the file should be
    WillAnswerLanguage(2);
    pendingAnswers_.push_back(MsgResult::OK);
    ui::FrmMain& w = Start();
    EXPECT_EQ(LanguageQuestions(), 1);
    ASSERT_EQ(platform_->Messages().size(), 1u);  // and the user is told why
    EXPECT_NE(platform_->Messages()[0].prompt.find("is a folder, not a file"), std::string::npos);
    EXPECT_EQ(w.gintLanguage, 2);
    EXPECT_EQ(w.cboTypeSel.ListIndex(), 1);
    EXPECT_TRUE(w.gblnFormLoaded);
}

}  // namespace
}  // namespace rvm46::testing
