// The accessibility tree of the main window and of the dialogs: every control a user can reach
// or read has a name, in the interface language.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <algorithm>
#include <fstream>
#include <string>

#include "scripted_qt_platform.h"

namespace rvm46::testing {
namespace {

// Containers are named by what they hold; a window by its title.
bool IsContainer(QAccessible::Role role) {
    const QAccessible::Role containers[] = {
        QAccessible::Client,    QAccessible::Pane,      QAccessible::Window,  QAccessible::Dialog,
        QAccessible::Grouping,  QAccessible::Separator, QAccessible::MenuBar, QAccessible::ToolBar,
        QAccessible::StatusBar, QAccessible::Border};
    return std::ranges::find(containers, role) != std::end(containers);
}

void CollectNameless(QAccessibleInterface* node, const QString& path, QStringList& nameless,
                     int& named) {
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        if (child == nullptr || child->state().invisible) continue;
        const QObject* object = child->object();
        const QString where =
            path + "/" +
            (object ? QString(object->metaObject()->className()) + " " + object->objectName()
                    : QString("?"));
        // The scroll bars Qt gives a window's scrolling client area are its own.
        const bool windowScrollBar = object && object->parent() &&
                                     object->parent()->objectName().startsWith("qt_scrollarea_");
        if (child->text(QAccessible::Name).trimmed().isEmpty()) {
            if (!IsContainer(child->role()) && !windowScrollBar) nameless << where;
        } else {
            ++named;
        }
        CollectNameless(child, where, nameless, named);
    }
}

// Fails with the path of every nameless control of the window.
void ExpectAllNamed(QWidget* window, const char* which) {
    QApplication::processEvents();
    QStringList nameless;
    int named = 0;
    CollectNameless(QAccessible::queryAccessibleInterface(window), which, nameless, named);
    EXPECT_TRUE(nameless.isEmpty()) << nameless.join("\n").toStdString();
    EXPECT_GT(named, 3) << which;
}

TEST(AccessibilityTest, EveryControlOfEveryWindowHasANameInTheInterfaceLanguage) {
    FirstStart start;
    ui::FrmMain& window = start.Start(
        2, [](app::FormView& language) { ExpectAllNamed(language.Window(), "language window"); });
    app::FormView& view = *start.view;
    ExpectAllNamed(view.Window(), "main window");

    // A list is named by the label in front of it and described by its tool tip.
    auto* model = view.Widget<QComboBox>("cboTypeSel");
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->accessibleName(), view.Widget<QLabel>("lblType")->text());
    EXPECT_EQ(model->accessibleDescription().toStdString(), window.cboTypeSel.ToolTipText());

    // Opens a window from `menu`, checks it and closes it as the user would.
    auto walk = [&](forms::MenuItem& menu, const std::string& which) {
        auto named = [which](app::FormView& shown) {
            ExpectAllNamed(shown.Window(), which.c_str());
        };
        EXPECT_TRUE(start.Visit(menu, named)) << which << " not shown";
    };
    walk(window.mnuAboutSoft, "about box");
    window.portOpenFailure = ui::PortOpenFailure{
        2, "/dev/ttyUSB0", ui::PortFailureKind::kBusy, "/dev/ttyUSB0: busy", {}};
    walk(window.mnuCommunicate, "port dialog");
    window.portOpenFailure.reset();
    walk(window.mnuReadFre, "communication dialog");

    // The comparison with a data file (erased: every channel differs) and the programming station.
    const auto other = start.folder.path() / "other.dat";
    std::ofstream(other, std::ios::binary) << std::string(1074, '\xFF');
    const QString english = model->accessibleName();
    for (const std::string language : {"English", "Chinese"}) {
        if (language == "Chinese") {  // the names are the Chinese texts
            window.mnuLangSel0.UserClick();
            QApplication::processEvents();
            EXPECT_EQ(model->accessibleName(), view.Widget<QLabel>("lblType")->text());
            EXPECT_NE(model->accessibleName(), english);
            ExpectAllNamed(view.Window(), "main window in Chinese");
        }
        start.platform.QueueFileName(other.string());
        walk(window.mnuCompareFile, "comparison window in " + language);
        walk(window.mnuStation, "programming station in " + language);
    }
}

}  // namespace
}  // namespace rvm46::testing
