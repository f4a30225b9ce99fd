#pragma once
// Everything the windows need from the desktop beyond their controls. A front end implements
// it; tests use a scripted implementation; HeadlessPlatform supplies the parts that need no
// windowing toolkit.

#include <string>

#include "forms/printed_sheet.h"

namespace rvm46::forms {

class Form;
class MenuItem;

enum class MsgButtons { OK, OKCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgResult { OK, Cancel, Abort, Retry, Ignore, Yes, No };

// Open and save dialogs. The caller fills the request fields; the platform sets FileName to
// the chosen path (left as it was, normally empty, when the user cancels), Cancelled when the
// user cancelled, and Failed when the dialog reports that the chosen name cannot be used.
struct FileDialog {
    std::string FileName;
    std::string Filter;      // e.g. "Data File(*.Dat)"
    std::string DefaultExt;  // without the dot, e.g. "dat"
    std::string InitDir;
    std::string DialogTitle;
    bool Cancelled = false;
    bool Failed = false;
};

class Platform {
  public:
    virtual ~Platform() = default;

    // Modal message box; returns the button pressed.
    virtual MsgResult MsgBox(const std::string& prompt, MsgButtons buttons, MsgIcon icon,
                             const std::string& title) = 0;

    // Runs the modal loop of `form` (already loaded and visible) above `owner` (may be null);
    // returns once the form is hidden or unloaded. Called by Form::ShowModal.
    virtual void ShowModal(Form& form, Form* owner) = 0;
    // The form has been unloaded; its window goes away. Called by Form::Unload.
    virtual void CloseForm(Form& form) = 0;
    // Shows `menu`'s items as a pop-up menu at the mouse position; a chosen item's Click runs
    // before this returns.
    virtual void PopupMenu(Form& form, MenuItem& menu) = 0;

    virtual void ShowOpenDialog(FileDialog& dialog) = 0;
    virtual void ShowSaveDialog(FileDialog& dialog) = 0;
    // Asks the desktop shell to "open" a document (e.g. a help file); the outcome is not
    // reported.
    virtual void ShellOpen(const std::string& path) = 0;

    // The system's print dialog with a preview of `sheet`; prints when the user agrees.
    virtual void PrintSheet(const PrintedSheet& sheet) = 0;
    // Writes `sheet` as a PDF file at `path`; "" when written, else why not (in the system's
    // words).
    virtual std::string ExportSheetPdf(const PrintedSheet& sheet, const std::string& path) = 0;

    // Folder of the program's executable, without trailing separator.
    virtual std::string ProgramFolder() = 0;
    virtual bool FolderExists(const std::string& path) = 0;
    // A run-time error when the folder cannot be created.
    virtual void CreateFolder(const std::string& path) = 0;
    virtual void Sleep(int milliseconds) = 0;
    // Ends the process at once, without unloading windows. A test implementation may return;
    // callers treat it as the last statement of their procedure.
    virtual void EndProcess() = 0;
    // Lets the front end repaint during a long transfer without handling input.
    virtual void PumpPaint() = 0;
};

}  // namespace rvm46::forms
