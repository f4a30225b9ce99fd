#include "app/qt_language.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "ui/frm_main.h"

namespace rvm46::app {

QtLanguage::QtLanguage() : desktop_font_(QApplication::font()) {}

QtLanguage::~QtLanguage() {
    if (window_ != nullptr) window_->Unsubscribe(subscription_);
    if (translator_) QCoreApplication::removeTranslator(translator_.get());
}

bool QtLanguage::Apply(int language, const std::string& font) {
    bool loaded = true;
    if (language != language_) {
        if (translator_) QCoreApplication::removeTranslator(translator_.get());
        translator_.reset();
        if (language == 1) {
            auto translator = std::make_unique<QTranslator>();
            loaded = translator->load("qtbase_zh_CN",
                                      QLibraryInfo::path(QLibraryInfo::TranslationsPath));
            if (loaded) {
                QCoreApplication::installTranslator(translator.get());
                translator_ = std::move(translator);
            }
        }
        language_ = language;
    }
    if (font != font_) {
        font_ = font;
        QFont application = desktop_font_;
        if (!font.empty()) application.setFamilies({QString::fromStdString(font)});
        QApplication::setFont(application);
    }
    return loaded;
}

void QtLanguage::Follow(ui::FrmMain& window) {
    window_ = &window;
    // The window's title and font change whenever the interface language is applied.
    subscription_ = window.Subscribe([this](const forms::PropertyChange&) {
        Apply(window_->gintLanguage, window_->gstrCurFont);
    });
    Apply(window.gintLanguage, window.gstrCurFont);
}

}  // namespace rvm46::app
