#pragma once
// The interface texts of the main window: every text the user sees, in Simplified Chinese and
// in English, kept as one table keyed by what the text is for. Controls and menu items use
// "<control>.Caption" and "<control>.ToolTipText", toolbar buttons
// "tlbFrmMain.<button key>.ToolTipText", status panels "sbrStatus.<1|2|3>.ToolTipText"; list
// items, status texts and messages use "list.*", "status.*" and "msg.*".

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rvm46::ui {

inline constexpr int kLanguageChinese = 1;
inline constexpr int kLanguageEnglish = 2;

struct TextEntry {
    std::string_view key;
    std::string_view chinese;
    std::string_view english;
};

// The whole table, in the order the window applies it: menu captions, control captions,
// control tool tips, toolbar and status panel tool tips, list items, status and composed
// texts, message texts.
std::span<const TextEntry> TextTableEntries();

// The text of `key` in `language` from a window's own table (1 Chinese, otherwise English). An
// unknown key is a programming fault and throws std::out_of_range naming `tableName`.
std::string TextOf(std::span<const TextEntry> table, std::string_view key, int language,
                   std::string_view tableName);

// The current text of every entry, in the language applied last.
class InterfaceTexts {
  public:
    InterfaceTexts();

    // 1 selects Chinese, any other value English; every entry takes that language's text.
    void SetLanguage(int gintLanguage);

    // The current text; empty before the first SetLanguage. An unknown key is a programming
    // fault and throws std::out_of_range.
    const std::string& operator[](std::string_view key) const;

    // The text of `key` in a given language (same rule: 1 Chinese, otherwise English).
    std::string Of(std::string_view key, int language) const;

  private:
    std::vector<std::string> current_;
};

}  // namespace rvm46::ui
