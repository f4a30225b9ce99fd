#pragma once
// The communication dialog: one button starts the read or write that the main window's command
// chose, and a progress bar follows the transfer block by block. It closes itself as the last
// block starts; after a failure it stays open for another try.

#include "forms/forms.h"

namespace rvm46::ui {

class FrmMain;

class FrmCommun : public forms::Form {
  public:
    FrmCommun(forms::Platform& platform, FrmMain& main);

    forms::Frame& fraCommun = Add<forms::Frame>("fraCommun");
    forms::ProgressBar& prgCommunicate = Add<forms::ProgressBar>("prgCommunicate", "fraCommun");
    forms::Label& lblProgress = Add<forms::Label>("lblProgress", "fraCommun");
    forms::CommandButton& cmdRW = Add<forms::CommandButton>("cmdRW", "fraCommun");
    // Why the last transfer failed (and any note about it), until the next transfer starts.
    forms::Label& lblReason = Add<forms::Label>("lblReason");

    // Shows the block frame about to start (the value gintPercentCnt has before it is counted);
    // at the last frame the status says success and the dialog unloads itself.
    void PercentShow();
    // Puts the bar at `value` and the percentage beside it.
    void ShowProgress(int value);
    // Shows the main window's reason line of the last transfer; hidden when it is empty.
    void ShowReason();

  private:
    void Form_Load();
    void cmdRW_Click();

    FrmMain& main_;
};

}  // namespace rvm46::ui
