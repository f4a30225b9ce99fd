#pragma once
// The Qt platform with the user's answers scripted: message boxes take queued answers, modal
// windows run queued actions on their real widgets, and ending the process is ignored; and the
// main window of a first start on it.

#include <QAbstractButton>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/qt_platform.h"
#include "support/temp_dir.h"
#include "ui/frm_main.h"

namespace rvm46::testing {

class ScriptedQtPlatform : public app::QtPlatform {
  public:
    using ModalAction = std::function<void(app::FormView&)>;

    void QueueAnswer(forms::MsgResult answer) { answers_.push_back(answer); }
    void QueueModal(ModalAction action) { modal_actions_.push_back(std::move(action)); }
    // The first start's language window: `first` sees it, then its real option button (1 Chinese,
    // 2 English) and OK button are clicked.
    void QueueLanguage(int language, ModalAction first = {}) {
        QueueModal([language, first = std::move(first)](app::FormView& view) {
            if (first) first(view);
            view.Widget<QAbstractButton>("optSelCh", language - 1)->click();
            view.Widget<QAbstractButton>("cmdOK")->click();
        });
    }
    // Every queued modal action has run.
    bool ModalsDone() const { return modal_actions_.empty(); }
    // The next open dialog chooses `path` without being shown.
    void QueueFileName(std::string path) { file_names_.push_back(std::move(path)); }
    // The prompts of the message boxes shown.
    const std::vector<std::string>& Messages() const { return messages_; }

    forms::MsgResult MsgBox(const std::string& prompt, forms::MsgButtons, forms::MsgIcon,
                            const std::string&) override {
        messages_.push_back(prompt);
        if (answers_.empty()) return forms::MsgResult::OK;
        const forms::MsgResult answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    // Loads and shows `window` as the program's main window.
    app::FormView& ShowMain(forms::Form& window) {
        SetMainForm(window);
        app::FormView& view = ViewOf(window);
        window.Load();
        window.Show();
        view.Window()->show();
        return view;
    }
    void EndProcess() override {}
    void ShowOpenDialog(forms::FileDialog& dialog) override {
        if (file_names_.empty()) return app::QtPlatform::ShowOpenDialog(dialog);
        dialog.FileName = file_names_.front();
        file_names_.pop_front();
    }

  protected:
    void ModalShown(app::FormView& view) override {
        if (modal_actions_.empty()) return;
        ModalAction action = std::move(modal_actions_.front());
        modal_actions_.pop_front();
        action(view);
    }

  private:
    std::deque<forms::MsgResult> answers_;
    std::deque<ModalAction> modal_actions_;
    std::deque<std::string> file_names_;
    std::vector<std::string> messages_;
};

// The program's first start in an empty folder; the main window is taken down at the end.
struct FirstStart {
    FirstStart() { platform.SetProgramFolder(folder.path().string()); }
    ~FirstStart() {
        if (view != nullptr) view->Window()->hide();
        platform.DropView(window);
    }
    // Answers the language window with `language` (after `first` has seen it), shows the main
    // window.
    ui::FrmMain& Start(int language, ScriptedQtPlatform::ModalAction first = {}) {
        platform.QueueLanguage(language, std::move(first));
        view = &platform.ShowMain(window);
        return window;
    }
    // Opens a window from `menu`, lets `look` at it and closes it as the user would; false when
    // no window came up.
    bool Visit(forms::MenuItem& menu, const ScriptedQtPlatform::ModalAction& look) {
        platform.QueueModal([look](app::FormView& shown) {
            look(shown);
            shown.GetForm().UserClose();
        });
        menu.UserClick();
        return platform.ModalsDone();
    }

    TempDir folder;
    ScriptedQtPlatform platform;
    ui::FrmMain window{platform};
    app::FormView* view = nullptr;
};

}  // namespace rvm46::testing
