#include "ui/frm_commun.h"

#include "model/run_time_error.h"
#include "ui/frm_main.h"

namespace {
constexpr rvm46::forms::Color kReasonColour = 0x0000C0;  // dark red
}  // namespace

namespace rvm46::ui {

FrmCommun::FrmCommun(forms::Platform& platform, FrmMain& main)
    : Form(platform, "frmCommun"), main_(main) {
    prgCommunicate.SetMin(0);
    lblProgress.SetCaption("0%");
    lblReason.SetForeColor(kReasonColour);
    lblReason.SetVisible(false);

    FormLoad = [this] { Form_Load(); };
    cmdRW.Click = [this] { cmdRW_Click(); };
}

void FrmCommun::Form_Load() {
    RunToErrorExit([&] {
        const int language = main_.gintLanguage;
        const forms::Color back = main_.gdblColorFull;
        SetBackColor(back);
        fraCommun.SetBackColor(back);
        cmdRW.SetBackColor(back);
        lblProgress.SetBackColor(back);
        lblReason.SetBackColor(back);
        const std::string font =
            language == kLanguageChinese ? main_.gstrChsFont : main_.gstrEngFont;
        SetFontName(font);
        lblProgress.SetFontName(font);
        cmdRW.SetFontName(font);
        lblReason.SetFontName(font);
        cmdRW.SetCaption(main_.texts.Of(
            main_.gblnReadMode ? "cmdRW.Read.Caption" : "cmdRW.Write.Caption", language));
        SetCaption(main_.texts.Of("frmCommun.Caption", language));
        ShowReason();
    });
}

void FrmCommun::ShowReason() {
    const std::string reason = main_.TransferReason();
    lblReason.SetCaption(reason);
    lblReason.SetVisible(!reason.empty());
}

void FrmCommun::cmdRW_Click() {
    RunToErrorExit([&] {
        if (!main_.gblnReadMode) {
            prgCommunicate.SetMax(122);
            main_.gintFrameTotal = 123;
            main_.WriteFre();
        } else {
            prgCommunicate.SetMax(127);
            main_.gintFrameTotal = 128;
            main_.ReadFre();
        }
    });
}

void FrmCommun::ShowProgress(int value) {
    prgCommunicate.SetValue(value);
    const int max = prgCommunicate.Max();
    const int percent = max > 0 ? (value * 100 + max / 2) / max : 0;
    lblProgress.SetCaption(std::to_string(percent) + "%");
}

void FrmCommun::PercentShow() {
    RunToErrorExit([&] {
        if (main_.gintPercentCnt > main_.gintFrameTotal) return;
        ShowProgress(main_.gintPercentCnt);
        const double p = (main_.gintPercentCnt + 1.0) / main_.gintFrameTotal;
        if (p < 1) {
            main_.sbrStatus.SetPanelText(1, main_.texts["status.communicating"] + "    ");
            // The transfer holds the interface thread; let the bar and the status be painted.
            Host().PumpPaint();
        } else {
            main_.sbrStatus.SetPanelText(1, main_.texts["status.communicationSuccess"]);
            Host().PumpPaint();
            Unload();
        }
    });
}

}  // namespace rvm46::ui
