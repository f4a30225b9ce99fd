#pragma once
// The platform services of the desktop program on Qt: message boxes, modal windows, pop-up
// menus, file dialogs, the shell, and the window of every form that is shown.

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "app/form_view.h"
#include "forms/headless_platform.h"

namespace rvm46::app {

class QtPlatform : public forms::HeadlessPlatform {
  public:
    QtPlatform();
    ~QtPlatform() override;

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
    std::string ProgramFolder() override;
    void EndProcess() override;
    void PumpPaint() override;
    void PlaySound(forms::Sound sound) override;

    // The window of `form`, built on first use.
    FormView& ViewOf(forms::Form& form);
    FormView* FindView(const forms::Form& form) const;
    // Takes the window of `form` down; due before the form is destroyed.
    void DropView(const forms::Form& form) { views_.erase(&form); }
    // The form whose closing ends the program's event loop.
    void SetMainForm(forms::Form& form) { main_form_ = &form; }
    // Instead of the executable's folder (tests).
    void SetProgramFolder(std::string folder) { program_folder_ = std::move(folder); }

  protected:
    // Called once a modal window is shown, before its loop runs (tests act on it here).
    virtual void ModalShown(FormView& view) { (void)view; }

  private:
    QWidget* DialogParent();
    // The window of a dialog's owner; the main form's is built on demand.
    FormView* OwnerView(forms::Form& owner);

    std::map<const forms::Form*, std::unique_ptr<FormView>> views_;
    forms::Form* main_form_ = nullptr;
    std::optional<std::string> program_folder_;
};

// Tells Qt which installed fonts stand in for the fonts the windows ask for by name.
void InstallFontSubstitutes();

}  // namespace rvm46::app
