#pragma once
// What Qt itself shows in the interface language: the buttons of message boxes and file dialogs
// (Qt's own translations, Debian package qt6-translations-l10n) and the font of menus, pop-up
// menus and dialogs, which follows the window's font for the language.

#include <QFont>
#include <QString>
#include <memory>
#include <string>

class QTranslator;

namespace rvm46::ui {
class FrmMain;
}

namespace rvm46::app {

class QtLanguage {
  public:
    QtLanguage();
    ~QtLanguage();
    QtLanguage(const QtLanguage&) = delete;
    QtLanguage& operator=(const QtLanguage&) = delete;

    // language: 1 Chinese, 2 English. font: the family the windows use for it (empty: keep).
    // Returns false when Qt's translation for Chinese is not installed (English buttons remain).
    bool Apply(int language, const std::string& font);
    int Language() const { return language_; }
    // Applies the main window's language now and whenever its interface texts change; until
    // this object is destroyed (before the window).
    void Follow(ui::FrmMain& window);

  private:
    std::unique_ptr<QTranslator> translator_;
    QFont desktop_font_;
    int language_ = 0;
    std::string font_;
    ui::FrmMain* window_ = nullptr;
    int subscription_ = 0;
};

}  // namespace rvm46::app
