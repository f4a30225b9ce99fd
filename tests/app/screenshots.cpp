// Renders the main window and the about box in both languages on a real (virtual) display, saves
// the pictures into the folder named on the command line, and fails when a window comes out blank
// or when the font of a Chinese caption lacks its glyphs.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QRawFont>
#include <QSet>
#include <QTimer>
#include <functional>
#include <iostream>

#include "scripted_qt_platform.h"
#include "storage/codeplug_document.h"
#include "storage/image_file.h"

namespace rvm46::testing {
namespace {

int failures = 0;

void Fail(const QString& what) {
    std::cerr << "FAILED: " << what.toStdString() << "\n";
    ++failures;
}

// Saves the window's picture; blank means (nearly) one colour.
void Shoot(QWidget* window, const QString& file) {
    QApplication::processEvents();
    const QImage image = window->grab().toImage();
    if (!image.save(file)) Fail("cannot save " + file);
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3) {
        for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
    }
    std::cout << file.toStdString() << ": " << image.width() << "x" << image.height() << ", "
              << colours.size() << " colours\n";
    if (image.width() < 100 || image.height() < 100 || colours.size() < 8) Fail(file + " is blank");
}

// Every character of the label must be in the font Qt resolved for it (not only in a fallback).
void CheckGlyphs(QLabel* label) {
    const QString text = label->text();
    const QRawFont raw = QRawFont::fromFont(label->font());
    const QFontMetrics metrics(label->font());
    for (char32_t c : text.toUcs4()) {
        if (c <= 0x7F) continue;
        if (!raw.supportsCharacter(c) || !metrics.inFontUcs4(c)) {
            Fail(QString("font %1 (asked: %2) lacks U+%3 of \"%4\"")
                     .arg(QFontInfo(label->font()).family(), label->font().family())
                     .arg(static_cast<unsigned>(c), 4, 16, QChar('0'))
                     .arg(text));
        }
    }
    std::cout << "\"" << text.toStdString() << "\" in "
              << QFontInfo(label->font()).family().toStdString() << "\n";
}

void Run(int language, const QString& folder) {
    const QString suffix = language == 1 ? "zh" : "en";
    FirstStart start;
    ui::FrmMain& window = start.Start(language, [&](app::FormView& view) {
        view.Window()->adjustSize();
        QApplication::processEvents();
        Shoot(view.Window(), folder + "/language-window-" + suffix + ".png");
    });
    QWidget* shown = start.view->Window();
    if (auto* shell = qobject_cast<QMainWindow*>(shown)) {
        QStringList menus;
        for (QAction* action : shell->menuBar()->actions()) menus << action->text();
        std::cout << "menu bar " << shell->menuBar()->height()
                  << "px: " << menus.join(" | ").toStdString() << "\n";
        if (shell->menuBar()->height() < 10) Fail("menu bar not shown");
    }
    Shoot(shown, folder + "/main-window-" + suffix + ".png");
    // The whole window must fit a 1366x768 screen with a desktop panel (about 700 pixels high).
    if (shown->width() > 1366 || shown->height() > 680) {
        Fail(QString("main window %1x%2 does not fit 1366x700")
                 .arg(shown->width())
                 .arg(shown->height()));
    }
    if (language == 1) {
        for (const char* name : {"lblReceFre", "lblType", "lblReceFreDis"}) {
            CheckGlyphs(start.view->Widget<QLabel>(name));
        }
    }

    // Opens a window from `menu` and shoots it as `name` (`first` puts in what the picture should
    // show); in Chinese, the font of its label `chinese` must have the caption's glyphs.
    auto shoot = [&](forms::MenuItem& menu, const QString& name, const char* chinese,
                     const std::function<void(app::FormView&)>& first = {}) {
        const bool came = start.Visit(menu, [&](app::FormView& dialog) {
            if (first) first(dialog);
            QApplication::processEvents();
            Shoot(dialog.Window(), folder + "/" + name + "-" + suffix + ".png");
            if (language == 1) CheckGlyphs(dialog.Widget<QLabel>(chinese));
        });
        if (!came) Fail(name + " not shown");
    };
    shoot(window.mnuAboutSoft, "about-box", "lblDescription", [&](app::FormView& about) {
        if (about.Widget<QLabel>("imgIcon")->pixmap().isNull()) Fail("the about box has no icon");
    });

    // The port dialog, showing why a port did not open and what the cable doctor says about it.
    comm::PortFinding permission, modemManager;
    permission.kind = comm::PortFinding::Kind::kPermission;
    permission.device = modemManager.device = "/dev/ttyUSB0";
    permission.owner = "root";
    permission.group = "dialout";
    permission.mode = 0660;
    permission.user = "ham";
    modemManager.kind = comm::PortFinding::Kind::kModemManager;
    window.portOpenFailure.emplace(
        2, "/dev/ttyUSB0", ui::PortFailureKind::kPermission,
        "/dev/ttyUSB0: permission denied, or the port is in use by another program",
        std::vector{permission, modemManager});
    shoot(window.mnuCommunicate, "port-dialog", "lblPortFailure");
    window.portOpenFailure.reset();
    // The communication dialog as a failed write left it: the reason under the frame.
    window.lastTransferFault =
        comm::Failure{comm::Step::kWriteBlock, comm::FailureKind::kTimeout, 40, 1, 0, 0, 0, {}};
    window.lastTransferWrote = true;
    shoot(window.mnuReadFre, "communication-dialog", "lblReason");

    // The programming station, shown as it looks after a few radios (rows and status put in as a
    // job would leave them, to see that they fit).
    shoot(window.mnuStation, "station-window", "lblTemplateChannels", [&](app::FormView&) {
        auto& form = *window.frmStation;
        const std::string pass = language == 1 ? "通过" : "PASS";
        form.lblRadio(0).SetCaption(
            "3   10:42:07   " + std::string(language == 1 ? "失败" : "FAIL") +
            "   write: no answer from the radio at block 40 (address 140h)");
        form.lblRadio(1).SetCaption("2   10:41:58   " + pass);
        form.lblRadio(2).SetCaption("1   10:41:50   " + pass);
        form.lblStatus.SetCaption(pass);
        form.lblStatus.SetBackColor(0x00A000);
        form.lblStatus.SetForeColor(0xFFFFFF);
        form.prgCycle.SetValue(200);
    });
    // The comparison window: the empty window beside a data file with channels and settings.
    storage::CodeplugDocument shop;
    shop.lists = {.beepTone = 1,
                  .batterySave = 1,
                  .squelch = 3,
                  .monitorKey = 2,
                  .timeOutTimer = 4,
                  .wideNarrow = 1,
                  .model = window.cboTypeSel.ListIndex()};
    shop.channels[0] = {446.00625, 446.00625, 1, 1, 0, 0, -1, -1};
    shop.channels[1] = {433.125, -1, 40, -1, 1, 1, -1, -1};
    const auto image = storage::EncodeDocument(shop, window.models, window.tones, nullptr);
    const std::string file = (start.folder.path() / "shop.Dat").string();
    if (!image || !storage::WriteNewImageFile(file, *image, nullptr)) {
        Fail("cannot write the data file to compare with");
    }
    start.platform.QueueFileName(file);
    shoot(window.mnuCompareFile, "compare-window", "lblSides");

    // The print preview of the channel sheet, from File, "Print...".
    QTimer::singleShot(1000, [&] {
        QWidget* preview = QApplication::activeModalWidget();
        if (preview == nullptr) return Fail("no print preview shown");
        Shoot(preview, folder + "/print-preview-" + suffix + ".png");
        preview->close();
    });
    window.mnuPrintSheet.UserClick();
}

}  // namespace
}  // namespace rvm46::testing

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    rvm46::app::InstallFontSubstitutes();
    const QString folder = argc > 1 ? argv[1] : QString("screenshots");
    QDir().mkpath(folder);
    rvm46::testing::Run(2, folder);
    rvm46::testing::Run(1, folder);
    return rvm46::testing::failures == 0 ? 0 : 1;
}
