// Qt platform services.
#include "app/qt_platform.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QMenu>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QUrl>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "sheet/sheet_pdf.h"

namespace rvm46::app {

using namespace forms;

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QMessageBox::StandardButtons ButtonsOf(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::OK:
            return QMessageBox::Ok;
        case MsgButtons::OKCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MsgButtons::AbortRetryIgnore:
            return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
        case MsgButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MsgButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MsgButtons::RetryCancel:
            return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon IconOf(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Critical:
            return QMessageBox::Critical;
        case MsgIcon::Question:
            return QMessageBox::Question;
        case MsgIcon::Exclamation:
            return QMessageBox::Warning;
        case MsgIcon::Information:
            return QMessageBox::Information;
        case MsgIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

MsgResult ResultOf(int button, MsgButtons buttons) {
    switch (button) {
        case QMessageBox::Ok:
            return MsgResult::OK;
        case QMessageBox::Cancel:
            return MsgResult::Cancel;
        case QMessageBox::Abort:
            return MsgResult::Abort;
        case QMessageBox::Retry:
            return MsgResult::Retry;
        case QMessageBox::Ignore:
            return MsgResult::Ignore;
        case QMessageBox::Yes:
            return MsgResult::Yes;
        case QMessageBox::No:
            return MsgResult::No;
        default:
            break;
    }
    // Closed by its frame: the box's escape answer.
    switch (buttons) {
        case MsgButtons::OK:
            return MsgResult::OK;
        case MsgButtons::YesNo:
            return MsgResult::No;
        case MsgButtons::AbortRetryIgnore:
            return MsgResult::Abort;
        default:
            return MsgResult::Cancel;
    }
}

// A chosen name the command cannot use: for opening, anything but a readable file; for saving, a
// folder, a name in a folder that does not exist, or a file or folder that may not be written.
bool NameUnusable(const QString& path, bool save) {
    const QFileInfo file(path);
    if (!save) return !file.isFile() || !file.isReadable();
    if (file.isDir()) return true;
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir() || !folder.isWritable()) return true;
    return file.exists() && !file.isWritable();
}

void RunFileDialog(FileDialog& dialog, bool save, QWidget* parent) {
    QString filter = Q(dialog.Filter);
    // "Data File(*.Dat)|*.Dat" pairs become Qt's "Data File(*.Dat)" entries.
    if (filter.contains('|')) {
        const QStringList parts = filter.split('|');
        QStringList entries;
        for (int i = 0; i + 1 < parts.size(); i += 2) entries << parts[i];
        filter = entries.join(";;");
    }
    // InitDir may name the current file itself: the dialog starts in its folder.
    QString start = Q(dialog.InitDir);
    if (!start.isEmpty() && !QFileInfo(start).isDir()) start = QFileInfo(start).absolutePath();
    QFileDialog box(parent, Q(dialog.DialogTitle), start, filter);
    box.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    box.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    box.setDefaultSuffix(Q(dialog.DefaultExt));
    // "*.Dat" also lists "radio.dat": names differ only in case on the systems the files come from.
    box.setFilter(box.filter() & ~QDir::Filters(QDir::CaseSensitive));
    if (!dialog.FileName.empty()) box.selectFile(Q(dialog.FileName));
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty()) {
        dialog.Cancelled = true;
        return;
    }
    const QString chosen = box.selectedFiles().first();
    dialog.FileName = QDir::toNativeSeparators(chosen).toStdString();
    dialog.Failed = NameUnusable(chosen, save);
}

}  // namespace

QtPlatform::QtPlatform() = default;
QtPlatform::~QtPlatform() = default;

FormView* QtPlatform::FindView(const Form& form) const {
    auto it = views_.find(&form);
    return it == views_.end() ? nullptr : it->second.get();
}

FormView& QtPlatform::ViewOf(Form& form) {
    if (FormView* view = FindView(form)) return *view;
    auto& view = views_[&form];
    view = std::make_unique<FormView>(form);
    return *view;
}

FormView* QtPlatform::OwnerView(Form& owner) {
    // The main window is built after its start-up, but a dialog of the start-up belongs to it.
    return &owner == main_form_ ? &ViewOf(owner) : FindView(owner);
}

QWidget* QtPlatform::DialogParent() {
    if (QWidget* active = QApplication::activeModalWidget()) return active;
    if (QWidget* active = QApplication::activeWindow()) return active;
    if (main_form_ != nullptr) return OwnerView(*main_form_)->Window();
    return nullptr;
}

MsgResult QtPlatform::MsgBox(const std::string& prompt, MsgButtons buttons, MsgIcon icon,
                             const std::string& title) {
    QMessageBox box(IconOf(icon), Q(title), Q(prompt), ButtonsOf(buttons), DialogParent());
    return ResultOf(box.exec(), buttons);
}

void QtPlatform::ShowModal(Form& form, Form* owner) {
    FormView& view = ViewOf(form);
    QWidget* window = view.Window();
    const FormView* owner_view = owner == nullptr ? nullptr : OwnerView(*owner);
    if (owner_view != nullptr) {
        window->setParent(owner_view->Window(), window->windowFlags() | Qt::Dialog);
    }
    window->setWindowModality(Qt::ApplicationModal);
    window->adjustSize();
    if (window->sizeHint().isValid()) window->setFixedSize(window->sizeHint());
    // Over a shown owner Qt centres the window on it; without one (the language window of the
    // first start) it goes to the middle of the screen.
    const QScreen* screen = QGuiApplication::primaryScreen();
    if ((owner_view == nullptr || !owner_view->Window()->isVisible()) && screen != nullptr) {
        window->move(screen->availableGeometry().center() - window->rect().center());
    }
    window->show();
    window->raise();
    window->activateWindow();

    QEventLoop loop;
    const int id = form.Subscribe([&form, &loop](const PropertyChange&) {
        if (!form.Visible() || !form.Loaded()) loop.quit();
    });
    ModalShown(view);
    if (form.Visible() && form.Loaded()) loop.exec();
    form.Unsubscribe(id);
}

void QtPlatform::CloseForm(Form& form) {
    auto it = views_.find(&form);
    if (it != views_.end()) {
        // The form may be destroyed as soon as this returns; its window may be in the middle of
        // delivering the click that closed it. A zero timer would also fire inside a message box
        // that the same click shows next (a nested event loop) and delete the window under the
        // click; a deferred delete waits until control is back in the loop that delivered it.
        FormView* view = it->second.release();
        views_.erase(it);
        view->Detach();
        view->Window()->hide();
        auto* reaper = new QObject;
        QObject::connect(reaper, &QObject::destroyed, [view] { delete view; });
        reaper->deleteLater();
    }
    if (&form == main_form_) QCoreApplication::quit();
}

void QtPlatform::PopupMenu(Form& form, MenuItem& menu) {
    FormView& view = ViewOf(form);
    view.MenuFor(menu)->exec(QCursor::pos());
}

void QtPlatform::ShowOpenDialog(FileDialog& dialog) {
    RunFileDialog(dialog, false, DialogParent());
}

void QtPlatform::ShowSaveDialog(FileDialog& dialog) {
    RunFileDialog(dialog, true, DialogParent());
}

void QtPlatform::ShellOpen(const std::string& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(Q(path)));
}

void QtPlatform::PrintSheet(const forms::PrintedSheet& sheet) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(Q(sheet.title));
    QPrintPreviewDialog dialog(&printer, QApplication::activeWindow());
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&sheet](QPrinter* target) { sheet::PaintSheet(sheet, *target); });
    dialog.exec();
}

std::string QtPlatform::ExportSheetPdf(const forms::PrintedSheet& sheet, const std::string& path) {
    std::string error;
    return sheet::WriteSheetPdf(sheet, path, &error) ? "" : error;
}

std::string QtPlatform::ProgramFolder() {
    if (program_folder_) return *program_folder_;
    return QCoreApplication::applicationDirPath().toStdString();
}

void QtPlatform::EndProcess() {
    std::cout.flush();
    std::fflush(nullptr);
    std::exit(0);
}

void QtPlatform::PumpPaint() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// The desktop's bell: once for a pass, three times for a failure, so the two differ by ear.
void QtPlatform::PlaySound(forms::Sound sound) {
    const int times = sound == forms::Sound::kPass ? 1 : 3;
    for (int i = 0; i < times; ++i) QApplication::beep();
}

void InstallFontSubstitutes() {
    const QStringList cjk = {"WenQuanYi Zen Hei", "WenQuanYi Micro Hei", "Noto Sans CJK SC",
                             "Noto Serif CJK SC", "AR PL UMing CN",      "Droid Sans Fallback"};
    for (const char* name : {"宋体", "SimSun", "新宋体", "NSimSun", "黑体", "SimHei"}) {
        QFont::insertSubstitutions(QString::fromUtf8(name), cjk);
    }
    QFont::insertSubstitutions("Times New Roman", {"Liberation Serif", "DejaVu Serif"});
    QFont::insertSubstitutions("Arial", {"Liberation Sans", "DejaVu Sans"});
}

}  // namespace rvm46::app
