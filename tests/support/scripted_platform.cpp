#include "support/scripted_platform.h"

#include <unistd.h>

#include <atomic>
#include <system_error>

#include "forms/form.h"

namespace rvm46::forms::testing {

namespace fs = std::filesystem;

ScriptedPlatform::ScriptedPlatform() {
    static std::atomic<int> counter{0};
    temp_folder_ = fs::temp_directory_path() /
                   ("rvm46-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    fs::create_directories(temp_folder_);
    program_folder_ = temp_folder_.string();
}

ScriptedPlatform::~ScriptedPlatform() {
    std::error_code ignored;
    fs::remove_all(temp_folder_, ignored);
}

MsgResult ScriptedPlatform::MsgBox(const std::string& prompt, MsgButtons buttons, MsgIcon icon,
                                   const std::string& title) {
    if (answers_.empty()) {
        throw ScriptExhausted("message box without a queued answer: \"" + prompt + "\" (" + title +
                              ")");
    }
    MsgResult answer = answers_.front();
    answers_.pop_front();
    messages_.push_back({prompt, buttons, icon, title, answer});
    return answer;
}

void ScriptedPlatform::ShowModal(Form& form, Form* owner) {
    modals_.push_back({form.Name(), owner == nullptr ? std::string() : owner->Name()});
    if (!modal_actions_.empty()) {
        ModalAction action = std::move(modal_actions_.front());
        modal_actions_.pop_front();
        action(form);
    } else {
        form.UserClose();
    }
    // A real modal loop would never return while the form is still up.
    if (form.Loaded() && form.Visible()) {
        throw ScriptExhausted("modal form " + form.Name() + " still open after the script");
    }
}

void ScriptedPlatform::CloseForm(Form& form) {
    closed_forms_.push_back(form.Name());
}

void ScriptedPlatform::PopupMenu(Form& form, MenuItem& menu) {
    popups_.push_back({form.Name(), menu.Name()});
    if (popup_actions_.empty()) return;
    PopupAction action = std::move(popup_actions_.front());
    popup_actions_.pop_front();
    action(form, menu);
}

void ScriptedPlatform::FileDialogShown(FileDialogKind kind, FileDialog& dialog) {
    if (file_answers_.empty()) {
        throw ScriptExhausted("file dialog without a queued answer: " + dialog.DialogTitle);
    }
    file_dialogs_.push_back({kind, dialog});
    FileDialogAnswer answer = std::move(file_answers_.front());
    file_answers_.pop_front();
    dialog.Cancelled = answer.cancelled;
    dialog.Failed = answer.failed;
    if (!answer.cancelled) dialog.FileName = answer.file_name;
}

void ScriptedPlatform::ShowOpenDialog(FileDialog& dialog) {
    FileDialogShown(FileDialogKind::Open, dialog);
}

void ScriptedPlatform::ShowSaveDialog(FileDialog& dialog) {
    FileDialogShown(FileDialogKind::Save, dialog);
}

}  // namespace rvm46::forms::testing
