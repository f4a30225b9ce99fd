// One full read in the real window against the simulated radio on a pseudo-terminal: the
// communication dialog's real button starts it, the progress bar moves and is repainted while the
// transfer holds the interface thread, and the channel read shows in the grid.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>

#include "scripted_qt_platform.h"
#include "serialport/qt_serial_line.h"
#include "storage/profile.h"
#include "support/pty_radio.h"
#include "support/temp_dir.h"
#include "ui/frm_main.h"

namespace rvm46::testing {
namespace {

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

TEST(AppTransferTest, FullReadThroughTheRealDialogMovesAndRepaintsTheBar) {
    TempDir folder;
    ScriptedQtPlatform platform;
    platform.SetProgramFolder(folder.path().string());
    platform.QueueModal([](app::FormView& view) {
        view.Widget<QAbstractButton>("optSelCh", 1)->click();
        view.Widget<QAbstractButton>("cmdOK")->click();
    });
    serialport::QtSerialSystem serial;
    auto window = std::make_unique<ui::FrmMain>(platform);
    window->SetSerialSystem(&serial);
    platform.SetMainForm(*window);
    app::FormView& view = platform.ViewOf(*window);
    window->Load();
    window->Show();
    view.Window()->show();
    QApplication::processEvents();

    // The radio holds channel 1; the window starts without it.
    window->txtReceFre.UserReplace("446.00625");
    window->cmdConfirm.UserClick();
    const std::string channel = window->txtChannel(1000).Text();
    ASSERT_NE(channel, "");
    window->SetConvert();
    radiosim::ServerOptions options;
    options.image = window->gbytMatrixCode;
    options.blankMemory = false;
    window->DeteChanData();
    ASSERT_EQ(window->txtChannel(1000).Text(), "");
    PtyRadio radio(options);
    ASSERT_TRUE(radio.started()) << radio.error();
    ASSERT_TRUE(storage::ProfileWrite(folder.path() / "Setting" / "Config_5100.ini", "Ports",
                                      "COM1", radio.device()));

    std::vector<int> painted;
    bool closedItself = false;
    platform.QueueModal([&](app::FormView& dialog) {
        PaintedValues bar(dialog.Widget<QProgressBar>("prgCommunicate"));
        dialog.Widget<QAbstractButton>("cmdRW")->click();
        painted = bar.values;
        closedItself = !window->frmCommun->Loaded();
    });
    view.ActionFor(window->mnuReadFre)->trigger();
    QApplication::processEvents();

    EXPECT_TRUE(closedItself);
    // Painted again and again while the transfer ran, up to the full bar.
    EXPECT_GT(painted.size(), 10u);
    EXPECT_TRUE(std::is_sorted(painted.begin(), painted.end()));
    EXPECT_EQ(painted.empty() ? -1 : painted.back(), 127);
    EXPECT_TRUE(platform.Messages().empty());
    EXPECT_EQ(view.Widget<QLineEdit>("txtChannel", 1000)->text().toStdString(), channel);
    EXPECT_TRUE(window->gblnPortClosed);
    radio.Stop();
    platform.DropView(*window);
}

}  // namespace
}  // namespace rvm46::testing
