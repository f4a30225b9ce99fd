// The interface text table: its shape, texts that are easy to get wrong, and the switch of the
// current texts between the languages.
#include "ui/text_table.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <string_view>

namespace rvm46::ui {
namespace {

TEST(TextTableTest, KeysAreUniqueAndEveryEntryHasBothTexts) {
    std::set<std::string_view> keys;
    for (const TextEntry& entry : TextTableEntries()) {
        EXPECT_TRUE(keys.insert(entry.key).second) << "duplicate key " << entry.key;
        EXPECT_FALSE(entry.chinese.empty()) << entry.key;
        EXPECT_FALSE(entry.english.empty()) << entry.key;
    }
}

TEST(TextTableTest, EveryMenuItemOfTheMainWindowHasACaption) {
    const InterfaceTexts texts;
    for (const char* item :
         {"mnuFile", "mnuFileNew", "mnuFileOpen", "mnuFileSave", "mnuFileSaveAs", "mnuExit",
          "mnuProgram", "mnuReadFre", "mnuWriteFre", "mnuSet", "mnuCommunicate", "mnuLangSetting",
          "mnuLangSel0", "mnuLangSel1", "mnuAdvance", "mnuHelp", "mnuHelpTopic", "mnuAboutSoft",
          "mnuAllData"}) {
        EXPECT_NO_THROW(texts.Of(std::string(item) + ".Caption", kLanguageChinese)) << item;
    }
}

TEST(TextTableTest, TextsKeepTheirSpacesPunctuationAndAccessKeys) {
    const InterfaceTexts texts;
    const auto en = [&](std::string_view key) { return texts.Of(key, kLanguageEnglish); };
    const auto zh = [&](std::string_view key) { return texts.Of(key, kLanguageChinese); };

    EXPECT_EQ(en("mnuFile.Caption"), " &File ");
    EXPECT_EQ(en("mnuSet.Caption"), " &Settings");
    EXPECT_EQ(en("mnuHelp.Caption"), " &Help ");
    EXPECT_EQ(zh("mnuFileSaveAs.Caption"), "另存为(&A)");
    EXPECT_EQ(zh("lblType.Caption"), " 机型:");

    // The two "cleared" questions differ only in their question mark.
    EXPECT_EQ(en("msg.modelChangeQuestion"), "All data will be cleared,continue？");
    EXPECT_EQ(en("msg.newFileQuestion"), "All data will be cleared,continue?");
    EXPECT_EQ(zh("msg.modelChangeQuestion"), "选择不同型号的机型将删除所有信道的数据，是否继续？");

    EXPECT_EQ(zh("msg.portNotSet"), "通信端口未设置，请先选择 \"设置\" -> \"通信端口\" 选择串口");
    EXPECT_EQ(en("msg.communicationError"), "Communication failed,please check commuication port!");

    // Pieces that get glued to a path or a channel number.
    EXPECT_EQ(zh("status.fileNamePrefix"), "文件名: ");
    EXPECT_EQ(en("status.fileNamePrefix"), "File Name: ");
    EXPECT_EQ(zh("status.deleteChannelPrefix"), "删除信道 ");
    EXPECT_EQ(zh("status.deleteChannelSuffix"), " 的数据");
    EXPECT_EQ(en("status.deleteChannelSuffix"), " data");

    EXPECT_EQ(en("tlbFrmMain.Com.ToolTipText"), "Set Communication Port");
    EXPECT_EQ(zh("sbrStatus.3.ToolTipText"), "文件路径");
    EXPECT_EQ(en("list.squelchOffMomentary"), "SQ Off Momentary");
}

TEST(TextTableTest, CurrentTextsAreEmptyUntilALanguageIsSetThenFollowIt) {
    InterfaceTexts texts;
    EXPECT_EQ(texts["msg.title"], "");
    EXPECT_EQ(texts["mnuFile.Caption"], "");

    texts.SetLanguage(kLanguageChinese);
    EXPECT_EQ(texts["msg.title"], "提示");
    EXPECT_EQ(texts["list.none"], "无");

    texts.SetLanguage(kLanguageEnglish);
    EXPECT_EQ(texts["msg.title"], "Notice");
    EXPECT_EQ(texts["list.none"], "None");

    texts.SetLanguage(kLanguageChinese);
    EXPECT_EQ(texts["mnuFile.Caption"], "文件(&F)");

    // Anything but 1 means English, as the stored setting is read.
    texts.SetLanguage(0);
    EXPECT_EQ(texts["status.ready"], "Ready");
    EXPECT_EQ(texts.Of("status.ready", 7), "Ready");
}

TEST(TextTableTest, EveryEntryIsReachableByItsKeyAndUnknownKeysAreFaults) {
    InterfaceTexts texts;
    texts.SetLanguage(kLanguageChinese);
    for (const TextEntry& entry : TextTableEntries()) EXPECT_EQ(texts[entry.key], entry.chinese);

    EXPECT_THROW(static_cast<void>(texts["mnuFile"]), std::out_of_range);
    EXPECT_THROW(static_cast<void>(texts.Of("lblType.Tooltip", kLanguageEnglish)),
                 std::out_of_range);
}

}  // namespace
}  // namespace rvm46::ui
