// The interface text table: its shape, and the switch of the current texts between the
// languages.
#include "ui/text_table.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <string_view>

namespace rvm46::ui {
namespace {

// Switching back and forth is in the language_switch scenario.
TEST(TextTableTest, EmptyUntilALanguageIsSetThenEveryEntryUniqueWithBothTextsAndReachable) {
    InterfaceTexts texts;
    EXPECT_EQ(texts["msg.title"], "");
    // Anything but 1 means English, as the stored setting is read.
    texts.SetLanguage(0);
    EXPECT_EQ(texts["status.ready"], "Ready");
    EXPECT_EQ(texts.Of("status.ready", 7), "Ready");

    texts.SetLanguage(kLanguageChinese);
    std::set<std::string_view> keys;
    for (const TextEntry& entry : TextTableEntries()) {
        EXPECT_TRUE(keys.insert(entry.key).second) << "duplicate key " << entry.key;
        EXPECT_FALSE(entry.chinese.empty()) << entry.key;
        EXPECT_FALSE(entry.english.empty()) << entry.key;
        EXPECT_EQ(texts[entry.key], entry.chinese);
        EXPECT_EQ(texts.Of(entry.key, kLanguageEnglish), entry.english);
    }
    EXPECT_THROW(static_cast<void>(texts["mnuFile"]), std::out_of_range);
    EXPECT_THROW(static_cast<void>(texts.Of("lblType.Tooltip", kLanguageEnglish)),
                 std::out_of_range);
}

}  // namespace
}  // namespace rvm46::ui
