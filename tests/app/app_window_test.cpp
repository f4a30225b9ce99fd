// The desktop window driven as a user would: through the real widgets, with scripted answers to
// the message boxes and to the language window, and one full read from the simulated radio.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QWheelEvent>
#include <filesystem>
#include <fstream>
#include <functional>

#include "app/qt_language.h"
#include "scripted_qt_platform.h"
#include "serialport/qt_serial_line.h"
#include "storage/profile.h"
#include "support/pty_radio.h"
#include "ui/frm_sel_lang.h"

namespace rvm46::testing {
namespace {

using forms::MsgResult;

// A first start in English, with the main window made the active one.
class AppWindowTest : public ::testing::Test, public FirstStart {
  protected:
    ui::FrmMain& Start(ScriptedQtPlatform::ModalAction first = {}) {
        FirstStart::Start(2, std::move(first));
        QApplication::setActiveWindow(view->Window());
        QApplication::processEvents();
        return window;
    }

    // The control's widget; a missing one ends the test.
    template <class W>
    W* Widget(const char* name, int index = -1) {
        W* widget = view->Widget<W>(name, index);
        if (widget == nullptr) throw std::logic_error(std::string("no widget ") + name);
        return widget;
    }

    QAction* Action(forms::MenuItem& item) { return view->ActionFor(item); }
};

TEST_F(AppWindowTest, FirstStartInEnglishShowsEveryTextAndTheMenuSwitchesTheLanguage) {
    ui::FrmMain& w = Start([](app::FormView& language) {
        EXPECT_TRUE(language.Window()->windowFlags().testFlag(Qt::FramelessWindowHint));
        EXPECT_EQ(language.Widget<QLabel>("imgSelLang")->text().toStdString(), ui::kSelLangHeading);
    });
    EXPECT_TRUE(platform.ModalsDone());  // the language window came first
    EXPECT_EQ(Widget<QLabel>("lblReceFre")->text(), "Rx Frequency:");
    EXPECT_EQ(Widget<QLabel>("lblReceFre")->toolTip(), "Set Receive Frequency");
    w.txtReceFre.SetBackColor(0x0000FF);  // colours are stored 00BBGGRR
    w.lblReceFre.SetCaption("R&x:");
    EXPECT_EQ(Widget<QLineEdit>("txtReceFre")->palette().color(QPalette::Base), QColor(Qt::red));
    EXPECT_EQ(Widget<QLabel>("lblReceFre")->text(), "Rx:");

    // Menus: captions with their access keys, shortcuts, the pop-up menu kept off the bar.
    auto* shell = qobject_cast<QMainWindow*>(view->Window());
    QStringList bar;
    for (QAction* action : shell->menuBar()->actions()) bar << action->text();
    EXPECT_EQ(bar.size(), 4) << bar.join(",").toStdString();
    EXPECT_EQ(Action(w.mnuFileNew)->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_FALSE(Action(w.mnuRecentFile(0))->isVisible());
    EXPECT_TRUE(Action(w.ListSeparator01)->isSeparator());
    EXPECT_EQ(Action(w.mnuLangSel1)->isChecked(), w.mnuLangSel1.Checked());

    // Toolbar keys, status panels, the grid's visible columns.
    auto* toolbar = shell->findChild<QToolBar*>();
    ASSERT_NE(toolbar, nullptr);
    EXPECT_NE(toolbar->findChild<QAction*>("Write"), nullptr);
    auto* panel1 = shell->statusBar()->findChild<QLabel*>("panel1");
    ASSERT_NE(panel1, nullptr);
    EXPECT_EQ(panel1->text(), "Ready");
    EXPECT_NE(shell->statusBar()->findChild<QLabel*>("panel3"), nullptr);
    EXPECT_TRUE(Widget<QLineEdit>("txtChannel", 6015)->isVisible());
    EXPECT_EQ(view->Widget<QLineEdit>("txtChannel", 7000), nullptr);  // beyond the grid
    for (int c = 2; c <= 6; ++c) {
        EXPECT_GT(Widget<QLineEdit>("txtChannel", 1000 * c)->x(),
                  Widget<QLineEdit>("txtChannel", 1000 * (c - 1))->geometry().right())
            << c;
    }

    // Switching the language from the menu.
    app::QtLanguage language;
    language.Follow(w);
    const QString yes = QCoreApplication::translate("QPlatformTheme", "&Yes");
    Action(w.mnuLangSel0)->trigger();
    EXPECT_EQ(Widget<QLabel>("lblReceFre")->text(), QString::fromUtf8("接收频率:"));
    EXPECT_EQ(view->Window()->windowTitle().toStdString(), w.Caption());
    EXPECT_FALSE(Action(w.mnuLangSel1)->isChecked());
    // Qt's own buttons and the font of menus and dialogs follow the language.
    EXPECT_TRUE(
        QCoreApplication::translate("QPlatformTheme", "&Yes").contains(QString::fromUtf8("是")));
    EXPECT_EQ(QApplication::font().families().value(0).toStdString(), w.gstrChsFont);

    Action(w.mnuLangSel1)->trigger();
    EXPECT_EQ(Widget<QLabel>("lblReceFre")->text(), "Rx Frequency:");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), yes);
    EXPECT_EQ(QApplication::font().families().value(0).toStdString(), w.gstrEngFont);
}

TEST_F(AppWindowTest, TypingAFrequencyAndPointingAtTheGrid) {
    ui::FrmMain& w = Start();
    auto* receive = Widget<QLineEdit>("txtReceFre");
    ASSERT_TRUE(receive->isEnabled());

    receive->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(w.ActiveControl(), &w.txtReceFre);
    receive->selectAll();
    QTest::keyClicks(receive, "446.1");
    EXPECT_EQ(w.txtReceFre.Text(), "446.1");  // every keystroke reached the control

    // Leaving the box: focus moves to the transmit box, the receive box loses it.
    Widget<QLineEdit>("txtTransFre")->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(w.ActiveControl(), &w.txtTransFre);
    EXPECT_EQ(receive->text().toStdString(), w.txtReceFre.Text());

    Widget<QPushButton>("cmdConfirm")->click();
    QApplication::processEvents();
    // Whatever the commands made of the channel, the widgets show the controls' state.
    EXPECT_EQ(receive->text().toStdString(), w.txtReceFre.Text());
    EXPECT_EQ(Widget<QLineEdit>("txtChannel", ui::CellIndex(1, 0))->text().toStdString(),
              w.txtChannel(ui::CellIndex(1, 0)).Text());
    EXPECT_NE(w.txtChannel(ui::CellIndex(1, 0)).Text(), "");

    // Grid cells only show; the mouse acts where it points.
    auto* cell = Widget<QLineEdit>("txtChannel", ui::CellIndex(2, 3));
    EXPECT_TRUE(cell->isReadOnly());
    EXPECT_FALSE(cell->focusPolicy() & Qt::TabFocus);

    // A right-click puts the focus on the clicked cell (not the one below it) and marks its row.
    QTimer::singleShot(0, [] {
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    });
    QTest::mouseClick(cell, Qt::RightButton);
    QApplication::setActiveWindow(view->Window());  // back from the pop-up menu
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), cell);
    EXPECT_EQ(w.ActiveControl(), &w.txtChannel(ui::CellIndex(2, 3)));
    EXPECT_EQ(w.cboChSel.ListIndex(), 3);
    EXPECT_TRUE(Widget<QLabel>("lblChannel", 3)->font().bold());
    EXPECT_FALSE(Widget<QLabel>("lblChannel", 0)->font().bold());

    // The wheel over a list without the focus changes nothing.
    auto* squelch = Widget<QComboBox>("cboSqlSel");
    const int before = w.cboSqlSel.ListIndex();
    QWheelEvent wheel(QPointF(5, 5), squelch->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(squelch, &wheel);
    EXPECT_EQ(w.cboSqlSel.ListIndex(), before);
    EXPECT_EQ(squelch->currentIndex(), before);
    EXPECT_EQ(Widget<QComboBox>("cboReceQTSel")->maxVisibleItems(), 20);
    // A list refilled shorter, beginning as before, loses its last items on the screen too.
    const std::string first = w.cboSqlSel.List(0);
    w.cboSqlSel.Clear();
    w.cboSqlSel.AddItem(first);
    EXPECT_EQ(squelch->count(), 1);
    // A list drops down below its box, whatever the desktop's style (Fusion lays a long list
    // over the screen).
    QStyle* fusion = QStyleFactory::create("Fusion");
    fusion->setParent(squelch);
    squelch->setStyle(fusion);
    squelch->showPopup();
    QStyleOptionComboBox option;
    option.initFrom(squelch);
    EXPECT_EQ(squelch->style()->styleHint(QStyle::SH_ComboBox_Popup, &option, squelch), 0);
    squelch->hidePopup();
}

TEST_F(AppWindowTest, ChangingTheModelAndClosingTheWindowAskFirst) {
    ui::FrmMain& w = Start();
    auto* model = Widget<QComboBox>("cboTypeSel");
    ASSERT_GE(model->count(), 2);
    const int before = w.cboTypeSel.ListIndex();
    const int other = before == 0 ? 1 : 0;
    const auto asked = platform.Messages().size();

    platform.QueueAnswer(MsgResult::No);
    model->setCurrentIndex(other);
    emit model->activated(other);
    ASSERT_EQ(platform.Messages().size(), asked + 1);
    EXPECT_EQ(w.cboTypeSel.ListIndex(), before);
    EXPECT_EQ(model->currentIndex(), before);

    platform.QueueAnswer(MsgResult::Yes);
    emit model->activated(other);
    EXPECT_EQ(w.cboTypeSel.ListIndex(), other);
    EXPECT_EQ(model->currentIndex(), other);

    // Closing the window asks too, and can be cancelled.
    platform.QueueAnswer(MsgResult::No);
    view->Window()->close();
    EXPECT_TRUE(w.Loaded());
    EXPECT_TRUE(view->Window()->isVisible());
    EXPECT_EQ(platform.Messages().back(), "Are you sure want to exit?");

    platform.QueueAnswer(MsgResult::Yes);
    QWidget* shell = view->Window();
    shell->close();
    EXPECT_FALSE(w.Loaded());
    EXPECT_FALSE(shell->isVisible());
}

// Acts on the file dialog once it is up: `act` gets the real Qt dialog.
void WhenFileDialogShows(std::function<void(QFileDialog&)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        auto* box = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        act(*box);
    });
}

TEST_F(AppWindowTest, SaveAsAndOpenThroughTheRealFileDialog) {
    ui::FrmMain& w = Start();
    const QString data = QString::fromStdString((folder.path() / "Data").string());

    // Save As starts in the current file's folder, offers data files, adds the extension.
    WhenFileDialogShows([&](QFileDialog& box) {
        EXPECT_EQ(box.acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(box.directory().absolutePath(), data);
        EXPECT_EQ(box.nameFilters(), QStringList{"Data File(*.Dat)"});
        box.selectFile("radio");
        QMetaObject::invokeMethod(&box, "accept");
    });
    Action(w.mnuFileSaveAs)->trigger();
    const std::string saved = (folder.path() / "Data" / "radio.dat").string();
    EXPECT_EQ(w.gstrCurrentFile, saved);
    ASSERT_TRUE(std::filesystem::exists(saved));
    EXPECT_EQ(std::filesystem::file_size(saved), 1074u);
    EXPECT_TRUE(platform.Messages().empty());

    // Cancelling Open changes nothing. The dialog lists "*.Dat" names in any case and nothing else.
    std::ofstream(folder.path() / "Data" / "OLD.DAT") << "x";
    std::ofstream(folder.path() / "Data" / "notes.txt") << "x";
    QStringList listed;
    WhenFileDialogShows([&](QFileDialog& box) {
        const auto* list = box.findChild<QListView*>("listView");
        if (list != nullptr) {
            (void)QTest::qWaitFor([&] { return list->model()->rowCount(list->rootIndex()) >= 2; });
            for (int r = 0; r < list->model()->rowCount(list->rootIndex()); ++r) {
                listed << list->model()->index(r, 0, list->rootIndex()).data().toString();
            }
        }
        box.reject();
    });
    Action(w.mnuFileOpen)->trigger();
    EXPECT_FALSE(w.mnuRecentFile(0).Visible());
    listed.sort();
    EXPECT_EQ(listed, (QStringList{"OLD.DAT", "radio.dat"}));
    // Opening the lower-case ".dat" file loads it.
    WhenFileDialogShows([&](QFileDialog& box) {
        EXPECT_EQ(box.acceptMode(), QFileDialog::AcceptOpen);
        box.selectFile(QString::fromStdString(saved));
        QMetaObject::invokeMethod(&box, "accept");
    });
    Action(w.mnuFileOpen)->trigger();
    EXPECT_TRUE(platform.Messages().empty());
    EXPECT_TRUE(w.mnuRecentFile(0).Visible());
    EXPECT_EQ(Action(w.mnuRecentFile(0))->text().toStdString(), "&1  " + saved);
}

// The values a progress bar showed each time it was painted.
class PaintedValues : public QObject {
  public:
    explicit PaintedValues(QProgressBar* bar) : bar_(bar) { bar->installEventFilter(this); }
    ~PaintedValues() override { bar_->removeEventFilter(this); }
    std::vector<int> values;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) values.push_back(bar_->value());
        return false;
    }

  private:
    QProgressBar* bar_;
};

TEST_F(AppWindowTest, FullReadThroughTheRealDialogMovesAndRepaintsTheBar) {
    // The radio holds channel 1; the window starts without it.
    serialport::QtSerialSystem serial;
    window.SetSerialSystem(&serial);
    ui::FrmMain& w = Start();
    w.txtReceFre.UserReplace("446.00625");
    w.cmdConfirm.UserClick();
    const std::string channel = w.txtChannel(1000).Text();
    ASSERT_NE(channel, "");
    w.SetConvert();
    radiosim::ServerOptions options;
    options.image = w.gbytMatrixCode;
    options.blankMemory = false;
    w.DeteChanData();
    ASSERT_EQ(w.txtChannel(1000).Text(), "");
    PtyRadio radio(options);
    ASSERT_TRUE(radio.started()) << radio.error();
    ASSERT_TRUE(storage::ProfileWrite(folder.path() / "Setting" / "Config_5100.ini", "Ports",
                                      "COM1", radio.device()));

    // The communication dialog's real button starts it; the transfer holds the interface thread.
    std::vector<int> painted;
    bool closedItself = false;
    platform.QueueModal([&](app::FormView& dialog) {
        PaintedValues bar(dialog.Widget<QProgressBar>("prgCommunicate"));
        dialog.Widget<QAbstractButton>("cmdRW")->click();
        painted = bar.values;
        closedItself = !w.frmCommun->Loaded();
    });
    Action(w.mnuReadFre)->trigger();
    QApplication::processEvents();

    EXPECT_TRUE(closedItself);
    // Painted again and again while the transfer ran, up to the full bar.
    EXPECT_GT(painted.size(), 10u);
    EXPECT_TRUE(std::is_sorted(painted.begin(), painted.end()));
    EXPECT_EQ(painted.empty() ? -1 : painted.back(), 127);
    EXPECT_TRUE(platform.Messages().empty());
    EXPECT_EQ(Widget<QLineEdit>("txtChannel", 1000)->text().toStdString(), channel);
    EXPECT_TRUE(w.gblnPortClosed);
}

}  // namespace
}  // namespace rvm46::testing

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    rvm46::app::InstallFontSubstitutes();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
