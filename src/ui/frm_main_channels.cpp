// Resetting the channel table and the function lists, the tone lists, and the conversion between
// the window's edit state and the codeplug image.
#include <string>

#include "model/image_codec.h"
#include "model/run_time_error.h"
#include "ui/frm_main.h"

namespace rvm46::ui {

using namespace forms;

void FrmMain::InitChannelParameter() {
    gdblChannel = EmptyChannelTable();
}

void FrmMain::DefaultParameter() {
    RunToErrorExit([&] {
        cboMoniSel.SetListIndex(gintDefMoniKey);
        cboTransTimeSel.SetListIndex(gintDefTimeOut);
        cboSqlSel.SetListIndex(gintDefSql);
        cboSavePowSel.SetListIndex(gintDefBatSave);
        cboVoiceHintSel.SetListIndex(gintDefToneHint);
        cboWideNarrow.SetListIndex(gintDefWideNarrow);
    });
}

void FrmMain::DeteChanData() {
    for (int c = 1; c <= kGridColumns; ++c) {
        for (int k = 0; k < kGridRows; ++k) txtChannel(CellIndex(c, k)).SetText("");
    }
    InitChannelParameter();
}

void FrmMain::InitSignalBG() {
    for (int c = 1; c <= kGridColumns; ++c) {
        for (int r = 0; r < kGridRows; ++r) txtChannel(CellIndex(c, r)).SetBackColor(gdblColorText);
    }
}

void FrmMain::TransReceCtcssList(bool mblnReceCtcss, bool mblnCtcssAddItem) {
    RunToErrorExit([&] {
        ComboBox& list = mblnReceCtcss ? cboReceQTSel : cboTransQTSel;
        if (mblnCtcssAddItem) {
            list.SetEnabled(true);
            list.AddItem(texts["list.none"], 0);
            for (int i = 1; i <= kToneCount; ++i) list.AddItem(tones.gstrQTDQTList[i], i);
            list.SetListIndex(0);
        } else {
            for (int i = 0; i <= kToneCount; ++i) list.RemoveItem(0);
            list.SetEnabled(false);
        }
    });
}

// Entering a tone list starts it from the other list's tone, whenever that one has a selection.
void FrmMain::cboReceQTSel_GotFocus() {
    RunToErrorExit([&] {
        if (cboTransQTSel.ListIndex() != -1) cboReceQTSel.SetListIndex(cboTransQTSel.ListIndex());
    });
}

void FrmMain::cboTransQTSel_GotFocus() {
    RunToErrorExit([&] {
        if (cboReceQTSel.ListIndex() != -1) cboTransQTSel.SetListIndex(cboReceQTSel.ListIndex());
    });
}

// Ticking the box copies one frequency into the other box, once.
void FrmMain::chkFreReceEquTrans_Click() {
    RunToErrorExit([&] {
        if (chkFreReceEquTrans.Value() != kChecked) return;
        if (txtReceFre.Text().empty()) {
            txtReceFre.SetText(txtTransFre.Text());
        } else if (txtTransFre.Text().empty()) {
            txtTransFre.SetText(txtReceFre.Text());
        } else {
            txtReceFre.SetText(txtTransFre.Text());
        }
    });
}

ListSelections FrmMain::CurrentLists() const {
    return {.beepTone = cboVoiceHintSel.ListIndex(),
            .batterySave = cboSavePowSel.ListIndex(),
            .squelch = cboSqlSel.ListIndex(),
            .monitorKey = cboMoniSel.ListIndex(),
            .timeOutTimer = cboTransTimeSel.ListIndex(),
            .wideNarrow = cboWideNarrow.ListIndex(),
            .model = cboTypeSel.ListIndex()};
}

void FrmMain::SetConvert() {
    const ListSelections lists = CurrentLists();
    RunToErrorExit([&] { EncodeImage(gbytMatrixCode, gdblChannel, lists, models, tones); });
}

// The data half of showing a codeplug: the model first (its reaction resets what the following
// steps then overwrite), then the radio-wide lists, then the channels. A list whose byte is not
// one of its items keeps its selection.
bool FrmMain::ApplyDecodedImage() {
    return RunToErrorExit([&] {
        const DecodedImage decoded = DecodeImage(gbytMatrixCode, models, tones);
        if (decoded.model) {
            const bool loadDefault = gblnLoadDefault;
            gblnLoadDefault = true;
            cboTypeSel.SetListIndex(*decoded.model);
            gblnLoadDefault = loadDefault;
        }
        const auto apply = [](ComboBox& list, const std::optional<int>& index) {
            if (index) list.SetListIndex(*index);
        };
        apply(cboVoiceHintSel, decoded.beepTone);
        apply(cboSavePowSel, decoded.batterySave);
        apply(cboSqlSel, decoded.squelch);
        apply(cboMoniSel, decoded.monitorKey);
        apply(cboTransTimeSel, decoded.timeOutTimer);
        apply(cboWideNarrow, decoded.wideNarrow);
        for (std::size_t k = 0; k < decoded.channels.size(); ++k) {
            if (!decoded.channels[k]) {
                gdblChannel[k].fill(-1);
                continue;
            }
            for (std::size_t f = 0; f < decoded.channels[k]->size(); ++f) {
                gdblChannel[k][f] = (*decoded.channels[k])[f];
            }
        }
    });
}

}  // namespace rvm46::ui
