// The channel information grid: showing a whole codeplug, colouring the frequency cells, picking
// a channel by cell click, right-button pop-up menu or the spinner beside the channel list.
#include <string>

#include "editing/frequency.h"
#include "model/arithmetic.h"
#include "model/run_time_error.h"
#include "ui/frm_main.h"

namespace rvm46::ui {

using namespace forms;

namespace {

// Sets gblnFormLoaded again when a grid handler ends, also when a run-time error ends it early:
// the spinner must not lose its focus move for the rest of the run.
class FormLoadedAgain {
  public:
    explicit FormLoadedAgain(bool& flag) : flag_(flag) { flag_ = false; }
    ~FormLoadedAgain() { flag_ = true; }
    FormLoadedAgain(const FormLoadedAgain&) = delete;
    FormLoadedAgain& operator=(const FormLoadedAgain&) = delete;

  private:
    bool& flag_;
};

}  // namespace

// Shows the codeplug image in every control: model, radio-wide lists and channel table (decoded
// by ApplyDecodedImage), then the grid rows, the current channel and the colours.
void FrmMain::SoftDisplay() {
    RunToErrorExit([&] {
        if (!ApplyDecodedImage()) return;
        for (int k = 0; k < kGridRows; ++k) {
            ChannelRecord& channel = gdblChannel[static_cast<std::size_t>(k)];
            if (channel[kFieldRx] == -1) {
                ClearChannelRow(k);
                continue;
            }
            const auto frequencyCell = [&](int column, int field) {
                TextBox& cell = txtChannel(CellIndex(column, k));
                if (channel[static_cast<std::size_t>(field)] == -1) {
                    cell.SetText("");
                    return;
                }
                cell.SetText(editing::FormatFrequency(channel[static_cast<std::size_t>(field)]));
                channel[static_cast<std::size_t>(field)] = BoxValue(cell);
            };
            frequencyCell(1, kFieldRx);
            frequencyCell(2, kFieldTx);
            const auto toneCell = [&](int column, int field) {
                const int index = RoundToInteger(channel[static_cast<std::size_t>(field)]);
                const std::string listText =
                    index >= 0 && index <= kToneCount
                        ? tones.gstrQTDQTList[static_cast<std::size_t>(index)]
                        : std::string();
                txtChannel(CellIndex(column, k))
                    .SetText(editing::ToneCellText(index, listText, texts["list.none"]));
            };
            toneCell(3, kFieldDecodeTone);
            toneCell(4, kFieldEncodeTone);
            txtChannel(5000 + k).SetText(
                texts[channel[kFieldBusyLockout] == 1 ? "list.yes" : "list.no"]);
            txtChannel(6000 + k).SetText(texts[channel[kFieldShift] == 1 ? "list.yes" : "list.no"]);
            for (int c = 1; c <= kChannelFields; ++c) {
                txtChannel(CellIndex(c, k)).SetBackColor(gdblColorTextText);
            }
        }
        ChannelEdit();
        ChInfoColor();
        JudgeFreRange();
    });
}

// Colours the frequency cells of every row by the band check of the edit boxes, then shows the
// current channel in the panel again.
void FrmMain::ChInfoColor() {
    RunToErrorExit([&] {
        if (!OverFreFont()) return;
        const int selected = cboChSel.ListIndex();
        for (int r = 0; r < kGridRows; ++r) {
            txtReceFre.SetText(txtChannel(1000 + r).Text());
            txtTransFre.SetText(txtChannel(2000 + r).Text());
            JudgeFreRange();
            txtChannel(1000 + r).SetForeColor(gblnReceOverRange ? gdblColorHint : gdblColorBlack);
            txtChannel(2000 + r).SetForeColor(gblnTransOverRange ? gdblColorHint : gdblColorBlack);
        }
        cboChSel.SetListIndex(selected);
        std::int16_t channel = static_cast<std::int16_t>(selected);
        ChAccord(channel);
    });
}

void FrmMain::txtChannel_Click(int index) {
    RunToErrorExit([&] {
        const FormLoadedAgain guard(gblnFormLoaded);
        gintChNum = static_cast<std::int16_t>(CellRow(index));
        cboChSel.SetText(std::to_string(gintChNum + 1));
        gintCurChannel = gintChNum;
        vsbSelCH.SetValue(gintChNum + 1);
        ChAccord(gintChNum);
    });
}

void FrmMain::txtChannel_MouseDown(int index, int button, int /*shift*/, float /*x*/, float /*y*/) {
    if (button != kRightButton) return;
    RunToErrorExit([&] {
        const FormLoadedAgain guard(gblnFormLoaded);
        TextBox& cell = txtChannel(index);
        cell.SetEnabled(false);
        cell.SetEnabled(true);
        cell.SetFocus();
        gintChNum = static_cast<std::int16_t>(CellRow(index));
        gintCurChannel = gintChNum;
        mnuChannelData.SetCaption(texts["status.deleteChannelPrefix"] +
                                  std::to_string(gintChNum + 1) +
                                  texts["status.deleteChannelSuffix"]);
        cboChSel.SetText(std::to_string(gintChNum + 1));
        ChAccord(gintChNum);
        PopupMenu(mnuDelAllData);
    });
}

// The spinner steps through the channels and wraps from 1 to 16 and from 16 to 1.
void FrmMain::vsbSelCH_Change() {
    RunToErrorExit([&] {
        if (vsbSelCH.Value() == 0) {
            vsbSelCH.SetValue(kGridRows);  // the nested change selects the last channel
            return;
        }
        if (vsbSelCH.Value() == kGridRows + 1) {
            vsbSelCH.SetValue(1);
            return;
        }
        cboChSel.SetListIndex(vsbSelCH.Value() - 1);
        gintCurChannel = static_cast<std::int16_t>(cboChSel.ListIndex());
        if (gblnFormLoaded) txtReceFre.SetFocus();
        JudgeFreRange();
    });
}

}  // namespace rvm46::ui
