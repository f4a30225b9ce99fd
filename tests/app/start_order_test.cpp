// The program builds its main window after the start-up, from the loaded state; a window built
// before it follows every change the start-up makes. Both must show the same.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QStringList>
#include <memory>

#include "scripted_qt_platform.h"
#include "support/temp_dir.h"
#include "ui/frm_main.h"

namespace rvm46::testing {
namespace {

// What a user sees of a widget, and what assistive tools read of it (its place may differ by a
// pixel: the window is sized for the menu bar's font as it is at that moment).
QString Shown(QWidget* widget) {
    if (widget == nullptr) return "no widget";
    const QPalette palette = widget->palette();
    QString state = QString("visible %1 enabled %2 font %3 colours %4 %5 %6 name %7 tip %8")
                        .arg(widget->isVisible())
                        .arg(widget->isEnabled())
                        .arg(widget->font().toString())
                        .arg(palette.color(QPalette::WindowText).name())
                        .arg(palette.color(QPalette::Base).name())
                        .arg(palette.color(QPalette::Window).name())
                        .arg(widget->accessibleName())
                        .arg(widget->toolTip());
    if (auto* label = qobject_cast<QLabel*>(widget)) state += " text " + label->text();
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) state += " text " + edit->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        state += QString(" text %1 checked %2").arg(button->text()).arg(button->isChecked());
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
        state += QString(" items %1 current %2").arg(items.join("|")).arg(combo->currentIndex());
    }
    return state;
}

TEST(StartOrderTest, AWindowBuiltAfterTheStartUpShowsWhatOneBuiltBeforeItShows) {
    TempDir folder;
    {  // The first start (the language window comes first) writes the settings.
        ScriptedQtPlatform platform;
        platform.SetProgramFolder(folder.path().string());
        platform.QueueModal([](app::FormView& language) {
            language.Widget<QAbstractButton>("optSelCh", 1)->click();
            language.Widget<QAbstractButton>("cmdOK")->click();
        });
        ui::FrmMain first(platform);
        platform.SetMainForm(first);
        first.Load();
        ASSERT_TRUE(first.Loaded());
        platform.DropView(first);
    }
    ScriptedQtPlatform platform;
    platform.SetProgramFolder(folder.path().string());
    ui::FrmMain before(platform), after(platform);
    app::FormView& early = platform.ViewOf(before);
    before.Load();
    after.Load();
    app::FormView& late = platform.ViewOf(after);
    for (auto [form, view] : {std::pair{&before, &early}, std::pair{&after, &late}}) {
        ASSERT_TRUE(form->Loaded());
        form->Show();
        view->Window()->show();
    }
    QApplication::processEvents();

    EXPECT_EQ(early.Window()->windowTitle(), late.Window()->windowTitle());
    const auto& controls = before.Controls();
    ASSERT_EQ(controls.size(), after.Controls().size());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        SCOPED_TRACE(controls[i]->Name() + " " + std::to_string(controls[i]->Index()));
        EXPECT_EQ(Shown(early.WidgetFor(*controls[i])).toStdString(),
                  Shown(late.WidgetFor(*after.Controls()[i])).toStdString());
    }
    EXPECT_TRUE(late.Widget<QLabel>("lblChannel", after.cboChSel.ListIndex())->font().bold());
    platform.DropView(before);
    platform.DropView(after);
}

}  // namespace
}  // namespace rvm46::testing
