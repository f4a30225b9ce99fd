// The channel edit commands: loading a channel into the panel, accepting the panel into the
// channel table and the grid, the frequency copy, and deleting one or all channels.
#include <string>

#include "editing/frequency.h"
#include "model/arithmetic.h"
#include "model/run_time_error.h"
#include "ui/frm_main.h"

namespace rvm46::ui {

using namespace forms;

namespace {

// A check box loaded from a channel field: -1 not set, 0 off, 1 on; other values leave it.
void LoadFlag(CheckBox& box, double field) {
    if (field == -1) {
        box.SetValue(kUnchecked);
        box.SetEnabled(false);
    } else if (field == 0) {
        box.SetEnabled(true);
        box.SetValue(kUnchecked);
    } else if (field == 1) {
        box.SetEnabled(true);
        box.SetValue(kChecked);
    }
}

}  // namespace

void FrmMain::cboChSel_Click() {
    RunToErrorExit([&] {
        gintCurChannel = static_cast<std::int16_t>(cboChSel.ListIndex());
        vsbSelCH.SetValue(cboChSel.ListIndex() + 1);
        gintChNum = gintCurChannel;
        ChannelEdit();
        JudgeFreRange();
    });
}

void FrmMain::ChannelEdit() {
    RunToErrorExit([&] {
        const auto number = StrictNumber(cboChSel.Text());
        if (!number) throw RunTimeError("Type mismatch");
        gintChNum = RoundToInteger(*number - 1);
        ChAccord(gintChNum);
    });
}

// Loads channel mintChNum into the panel. The frequencies go first: their Change handlers reset
// the tone, lockout and shift controls, which are then loaded after them.
void FrmMain::ChAccord(std::int16_t& mintChNum) {
    RunToErrorExit([&] {
        if (mintChNum < 0 || mintChNum >= static_cast<int>(gdblChannel.size())) {
            throw RunTimeError("Subscript out of range");
        }
        const ChannelRecord& channel = gdblChannel[static_cast<std::size_t>(mintChNum)];
        const auto frequencyText = [](double mhz) {
            return mhz == -1 ? std::string() : editing::ShortestDecimal(mhz);
        };
        txtReceFre.SetText(frequencyText(channel[kFieldRx]));
        txtTransFre.SetText(frequencyText(channel[kFieldTx]));
        for (TextBox* box : {&txtReceFre, &txtTransFre}) {
            if (const auto value = editing::FrequencyValue(box->Text())) {
                box->SetText(editing::FormatFrequency(*value));
            }
        }
        cboReceQTSel.SetListIndex(RoundToInteger(channel[kFieldDecodeTone]));
        cboTransQTSel.SetListIndex(RoundToInteger(channel[kFieldEncodeTone]));
        LoadFlag(chkForbidTrans, channel[kFieldBusyLockout]);
        LoadFlag(chkShift, channel[kFieldShift]);
    });
}

void FrmMain::ClearChannelRow(int k) {
    for (int c = 1; c <= kChannelFields; ++c) {
        TextBox& cell = txtChannel(CellIndex(c, k));
        cell.SetText("");
        gdblChannel.at(static_cast<std::size_t>(k))[static_cast<std::size_t>(c - 1)] = -1;
        cell.SetBackColor(gdblColorText);
    }
}

// Accepts the panel into the current channel: checks and snaps the frequencies, stores the
// values and shows them in the channel's grid row. An empty receive box empties the channel.
void FrmMain::cmdConfirm_Click() {
    RunToErrorExit([&] {
        const int k = gintCurChannel;
        if (k < 0 || k >= static_cast<int>(gdblChannel.size())) {
            throw RunTimeError("Subscript out of range");
        }
        if (OverFreFont()) {
            TransReceCopy(gblnNoneFre);
            JudgeFreRange();
        } else {
            gblnTransOrRece = true;
            DetValLegal(gblnTransOrRece);
            gblnTransOrRece = false;
            DetValLegal(gblnTransOrRece);
        }
        gblnNoneFre = txtReceFre.Text().empty();
        if (gblnNoneFre) {
            ClearChannelRow(k);
            for (int c = 1; c <= kChannelFields; ++c) {
                txtChannel(CellIndex(c, k)).SetForeColor(gdblColorBlack);
            }
            return;
        }

        const auto bandLowText = [&]() -> const std::string& {
            const int m = SelectedModel();
            if (m < 0) throw RunTimeError("Invalid procedure call");
            return models.gstrModel.at(static_cast<std::size_t>(4 * m + 1));
        };
        if (editing::Implausible(BoxValue(txtReceFre))) {
            txtReceFre.SetText(bandLowText());
            JudgeFreRange();
        }
        if (!txtTransFre.Text().empty() && editing::Implausible(BoxValue(txtTransFre))) {
            txtTransFre.SetText(bandLowText());
            JudgeFreRange();
        }
        SnapBox(txtReceFre);
        if (!txtTransFre.Text().empty()) SnapBox(txtTransFre);

        for (int c = 1; c <= kChannelFields; ++c) {
            txtChannel(CellIndex(c, k)).SetBackColor(gdblColorTextText);
        }
        ChannelRecord& channel = gdblChannel[static_cast<std::size_t>(k)];
        const bool hint = OverFreFont();

        channel[kFieldRx] = BoxValue(txtReceFre);
        txtChannel(1000 + k).SetText(txtReceFre.Text());
        txtChannel(1000 + k).SetForeColor(hint && gblnReceOverRange ? gdblColorHint
                                                                    : gdblColorBlack);

        channel[kFieldTx] = txtTransFre.Text().empty() ? -1 : BoxValue(txtTransFre);
        txtChannel(2000 + k).SetText(txtTransFre.Text());
        txtChannel(2000 + k).SetForeColor(hint && gblnTransOverRange ? gdblColorHint
                                                                     : gdblColorBlack);

        channel[kFieldDecodeTone] = cboReceQTSel.ListIndex();
        txtChannel(3000 + k).SetText(cboReceQTSel.Text());
        channel[kFieldEncodeTone] = cboTransQTSel.ListIndex();
        txtChannel(4000 + k).SetText(cboTransQTSel.Text());

        const bool lockout = chkForbidTrans.Value() == kChecked;
        channel[kFieldBusyLockout] = lockout ? 1 : 0;
        txtChannel(5000 + k).SetText(texts[lockout ? "list.yes" : "list.no"]);
        const bool shift = chkShift.Value() == kChecked;
        channel[kFieldShift] = shift ? 1 : 0;
        txtChannel(6000 + k).SetText(texts[shift ? "list.yes" : "list.no"]);
    });
}

void FrmMain::TransReceCopy(bool& mblnNoneFre) {
    mblnNoneFre = txtReceFre.Text().empty();
}

// The lockout box's caption toggles the box, as long as the box is in use.
void FrmMain::lblForbidTrans_Click() {
    RunToErrorExit([&] {
        if (!chkForbidTrans.Enabled()) return;
        chkForbidTrans.SetValue(chkForbidTrans.Value() == kChecked ? kUnchecked : kChecked);
        cmdConfirm.SetFocus();
    });
}

void FrmMain::DeleteAllChData() {
    RunToErrorExit([&] {
        txtReceFre.SetText("");
        txtTransFre.SetText("");
        cboReceQTSel.SetListIndex(-1);
        cboTransQTSel.SetListIndex(-1);
        cboTransPower.SetListIndex(-1);
        DeteChanData();
        InitSignalBG();
        cboChSel.SetListIndex(0);
        txtReceFre.SetFocus();
    });
}

// The box works as a button with a question; it never stays ticked.
void FrmMain::chkDeteChanData_Click() {
    RunToErrorExit([&] {
        if (chkDeteChanData.Value() != kChecked) return;
        if (Message("msg.deleteAllQuestion", MsgButtons::YesNo, MsgIcon::Question) ==
            MsgResult::Yes) {
            DeleteAllChData();
        }
        chkDeteChanData.SetValue(kUnchecked);
    });
}

void FrmMain::mnuAllData_Click() {
    RunToErrorExit([&] {
        DeleteAllChData();
        txtReceFre.SetFocus();
    });
}

// Deletes the channel the grid's pop-up menu was opened on and shows it, now empty.
void FrmMain::mnuChannelData_Click() {
    RunToErrorExit([&] {
        ClearChannelRow(gintCurChannel);
        gintCurChannel = gintChNum;
        ChAccord(gintChNum);
    });
}

}  // namespace rvm46::ui
