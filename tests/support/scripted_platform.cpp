#include "support/scripted_platform.h"

#include "forms/form.h"

namespace rvm46::forms::testing {

MsgResult ScriptedPlatform::MsgBox(const std::string& prompt, MsgButtons, MsgIcon icon,
                                   const std::string& title) {
    if (answers_.empty()) {
        throw ScriptExhausted("message box without a queued answer: \"" + prompt + "\" (" + title +
                              ")");
    }
    const MsgResult answer = answers_.front();
    answers_.pop_front();
    messages_.push_back({prompt, icon, title});
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

void ScriptedPlatform::AnswerFileDialog(FileDialog& dialog, bool save) {
    if (file_answers_.empty()) {
        throw ScriptExhausted(std::string(save ? "save" : "open") + " dialog not scripted");
    }
    FileAnswer answer = std::move(file_answers_.front());
    file_answers_.pop_front();
    if (answer.path.empty()) {
        dialog.Cancelled = true;
        return;
    }
    dialog.FileName = answer.path;
    dialog.Failed = answer.failed;
}

}  // namespace rvm46::forms::testing
