#pragma once
// The scripted driver of the headless program: reads one command a line, acts on the windows as
// a user would, and answers every desktop service from what the script queued. It is the
// program's platform, so a modal window's loop is a nested loop over the following lines.

#include <deque>
#include <istream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "comm/serial_line.h"
#include "forms/control.h"
#include "forms/headless_platform.h"

namespace rvm46::ui {
class FrmMain;
}

namespace rvm46::script {

// Exit statuses of the driver.
inline constexpr int kExitDone = 0;
inline constexpr int kExitUsage = 1;
inline constexpr int kExitScriptError = 2;
inline constexpr int kExitNoAnswer = 3;
inline constexpr int kExitRunTimeError = 4;

// Ends the run: reported on standard error with the line number. Not a RunTimeError, so no
// error exit of the program can swallow it.
class ScriptFailure : public std::logic_error {
  public:
    ScriptFailure(int status, const std::string& reason)
        : std::logic_error(reason), status_(status) {}
    int Status() const { return status_; }

  private:
    int status_;
};

// Script lines with their numbers; a line read too far can be given back.
class LineReader {
  public:
    explicit LineReader(std::istream& in) : in_(in) {}
    // The next line holding a command (comments and blank lines skipped), or nullopt at the end.
    std::optional<std::string> Next();
    // Returns the line last read, to be read again by the next Next().
    void GiveBack(std::string line);
    // Number of the line last returned by Next (0 before the first).
    int Number() const { return number_; }

  private:
    std::istream& in_;
    int read_ = 0;
    int number_ = 0;
    int previous_ = 0;
    std::optional<std::pair<std::string, int>> given_back_;
};

class Driver : public forms::HeadlessPlatform {
  public:
    // `folder` is the program folder the windows see; empty = the driver's own folder.
    // `serial` gives the program its serial ports (the real ones in rvm46-script); without one
    // the program finds no port to open.
    Driver(std::istream& script, std::ostream& out, std::string folder,
           std::unique_ptr<comm::SerialSystem> serial = nullptr);
    ~Driver() override;
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    // Runs the script to its end. Throws ScriptFailure; the caller reports it with LineNumber().
    void Run();
    int LineNumber() const { return reader_.Number(); }

    // Platform.
    forms::MsgResult MsgBox(const std::string& prompt, forms::MsgButtons buttons,
                            forms::MsgIcon icon, const std::string& title) override;
    void ShowModal(forms::Form& form, forms::Form* owner) override;
    void CloseForm(forms::Form& form) override;
    void PopupMenu(forms::Form& form, forms::MenuItem& menu) override;
    void ShowOpenDialog(forms::FileDialog& dialog) override;
    void ShowSaveDialog(forms::FileDialog& dialog) override;
    void ShellOpen(const std::string& path) override;
    void PrintSheet(const forms::PrintedSheet& sheet) override;
    std::string ExportSheetPdf(const forms::PrintedSheet& sheet, const std::string& path) override;
    std::string ProgramFolder() override {
        return folder_.empty() ? HeadlessPlatform::ProgramFolder() : folder_;
    }
    void EndProcess() override { ended_ = true; }
    void Sleep(int /*milliseconds*/) override {}

  private:
    struct FileAnswer {
        std::string path;
        bool cancelled = false;
    };

    void Execute(const std::string& line);
    void ExecuteLine(const std::string& line);
    void Start();
    void Dump();
    void FileDialogShown(forms::FileDialog& dialog, const char* form);
    // The window the user can act on: the innermost modal window, else the main window.
    forms::Form& ActiveForm() const;
    forms::Control& FindControl(forms::Form& form, const std::string& name) const;
    // The loaded windows, main window first.
    std::vector<forms::Form*> LoadedForms() const;
    nlohmann::json StateJson() const;

    LineReader reader_;
    std::ostream& out_;
    std::string folder_;
    // The machine's real serial ports: transfers run against a radio or the simulated one.
    std::unique_ptr<comm::SerialSystem> serial_;
    std::unique_ptr<ui::FrmMain> main_;
    std::vector<forms::Form*> modal_stack_;
    forms::MenuItem* popup_ = nullptr;  // the pop-up menu being shown
    bool ended_ = false;
    std::deque<forms::MsgResult> answers_;
    std::deque<FileAnswer> file_answers_;
    nlohmann::json messages_ = nlohmann::json::array();      // since the last dump
    nlohmann::json file_dialogs_ = nlohmann::json::array();  // since the last dump
    nlohmann::json shell_opens_ = nlohmann::json::array();   // since the last dump
    nlohmann::json sheets_ = nlohmann::json::array();        // printed or exported, since then
    nlohmann::json errors_ =
        nlohmann::json::array();  // swallowed run-time errors since the last dump
};

}  // namespace rvm46::script
