#pragma once
// A platform for tests: every answer the user would give is queued by the test beforehand, and
// everything the program asked of the desktop is recorded. Asking for an answer that was not
// queued throws ScriptExhausted, so a test never hangs and never passes by accident.

#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "forms/headless_platform.h"
#include "support/temp_dir.h"

namespace rvm46::forms::testing {

// Not a RunTimeError: no error exit of the program can swallow it.
class ScriptExhausted : public std::logic_error {
  public:
    using std::logic_error::logic_error;
};

struct ShownMessage {
    std::string prompt;
    MsgIcon icon;
    std::string title;
};

struct ShownModal {
    std::string form;
    std::string owner;  // empty without owner
};

struct ShownPopup {
    std::string form;
    std::string menu;
};

class ScriptedPlatform : public HeadlessPlatform {
  public:
    using ModalAction = std::function<void(Form&)>;
    using PopupAction = std::function<void(Form&, MenuItem&)>;

    // Scripting.
    void QueueAnswer(MsgResult answer) { answers_.push_back(answer); }
    // The next modal show hands its form to `action`, which acts on it as the user and must
    // end with the form hidden or unloaded. A modal show with no action queued is closed at
    // once as the user would close it (the form's QueryUnload runs).
    void QueueModal(ModalAction action) { modal_actions_.push_back(std::move(action)); }
    // The next pop-up menu is handed to `action` (e.g. to click one of its items); without one
    // the menu is dismissed.
    void QueuePopup(PopupAction action) { popup_actions_.push_back(std::move(action)); }
    // The next file dialog returns `path` (an empty path: the user cancels); `failed` sets the
    // dialog's failure flag as a dialog does when the chosen name cannot be used.
    void QueueFileName(std::string path, bool failed = false) {
        file_answers_.push_back({std::move(path), failed});
    }
    // Without it, the program folder is a fresh temporary folder removed with the platform.
    void SetProgramFolder(std::string folder) { program_folder_ = std::move(folder); }

    // Records.
    const std::vector<ShownMessage>& Messages() const { return messages_; }
    const std::vector<ShownModal>& Modals() const { return modals_; }
    const std::vector<std::string>& ClosedForms() const { return closed_forms_; }
    const std::vector<ShownPopup>& Popups() const { return popups_; }
    // Answers queued but not used; a test usually expects none left.
    std::size_t PendingAnswers() const {
        return answers_.size() + modal_actions_.size() + file_answers_.size();
    }

    // Platform.
    MsgResult MsgBox(const std::string& prompt, MsgButtons buttons, MsgIcon icon,
                     const std::string& title) override;
    void ShowModal(Form& form, Form* owner) override;
    void CloseForm(Form& form) override;
    void PopupMenu(Form& form, MenuItem& menu) override;
    void ShowOpenDialog(FileDialog& dialog) override { AnswerFileDialog(dialog, false); }
    void ShowSaveDialog(FileDialog& dialog) override { AnswerFileDialog(dialog, true); }
    // The desktop's viewer, the printer and the PDF export do nothing.
    void ShellOpen(const std::string&) override {}
    void PrintSheet(const PrintedSheet&) override {}
    std::string ExportSheetPdf(const PrintedSheet&, const std::string&) override { return ""; }
    std::string ProgramFolder() override { return program_folder_; }
    // Returns at once: the caller's procedure must end right after it.
    void EndProcess() override {}
    void Sleep(int) override {}

  private:
    struct FileAnswer {
        std::string path;
        bool failed;
    };
    void AnswerFileDialog(FileDialog& dialog, bool save);

    rvm46::testing::TempDir temp_folder_;
    std::string program_folder_ = temp_folder_.path().string();
    std::deque<MsgResult> answers_;
    std::deque<ModalAction> modal_actions_;
    std::deque<PopupAction> popup_actions_;
    std::vector<ShownMessage> messages_;
    std::vector<ShownModal> modals_;
    std::vector<std::string> closed_forms_;
    std::vector<ShownPopup> popups_;
    std::deque<FileAnswer> file_answers_;
};

}  // namespace rvm46::forms::testing
