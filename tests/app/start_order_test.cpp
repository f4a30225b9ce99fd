// The program builds its main window after the start-up, from the loaded state; a window built
// before it follows every change the start-up makes. Both must show the same.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>

#include "scripted_qt_platform.h"

namespace rvm46::testing {
namespace {

// What a user sees of a widget, and what assistive tools read of it (its place may differ by a
// pixel: the window is sized for the menu bar's font as it is at that moment).
QString Shown(QWidget* widget) {
    if (widget == nullptr) return "no widget";
    QString text = widget->property("text").toString() + widget->property("title").toString();
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        for (int i = 0; i < combo->count(); ++i) text += "|" + combo->itemText(i);
        text += QString(" at %1").arg(combo->currentIndex());
    }
    return QString("%1 visible %2 enabled %3 checked %4 font %5 colours %6 %7 name %8 tip %9")
        .arg(text)
        .arg(widget->isVisible())
        .arg(widget->isEnabled())
        .arg(widget->property("checked").toBool())
        .arg(widget->font().toString(), widget->palette().color(QPalette::WindowText).name(),
             widget->palette().color(QPalette::Base).name(), widget->accessibleName(),
             widget->toolTip());
}

TEST(StartOrderTest, AWindowBuiltAfterTheStartUpShowsWhatOneBuiltBeforeItShows) {
    FirstStart first;  // the first start (the language window comes first) writes the settings
    ASSERT_TRUE(first.Start(2).Loaded());
    ScriptedQtPlatform platform;
    platform.SetProgramFolder(first.folder.path().string());
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
