// The frequency boxes of the channel edit panel: what typing does to the dependent controls,
// what leaving a box does, the band check of one box (DetValLegal) and of both (JudgeFreRange).
#include <string>

#include "editing/frequency.h"
#include "model/run_time_error.h"
#include "storage/profile_values.h"
#include "ui/frm_main.h"

namespace rvm46::ui {

using namespace forms;
using editing::Band;

bool FrmMain::OverFreFont() const {
    // Held as the text read from the configuration; a text that is no Boolean counts as False.
    return storage::ParseBoolean(gstrOverFreFont).value_or(false);
}

int FrmMain::SelectedModel() const {
    return cboTypeSel.ListIndex();
}

double FrmMain::BoxValue(const TextBox& box) const {
    const auto value = editing::FrequencyValue(box.Text());
    if (!value) throw RunTimeError("Type mismatch");
    return *value;
}

void FrmMain::SnapBox(TextBox& box) {
    const Band band = editing::ModelBand(models, SelectedModel());
    const double snapped =
        editing::SnapToRaster(BoxValue(box), band.is446, glngFreStep, gdblFreStep);
    box.SetText(editing::FormatFrequency(snapped));
}

// Every change of the receive box, typed or set: a text that is no number is removed at once,
// and the controls that belong to a receive frequency follow the box.
void FrmMain::txtReceFre_Change() {
    RunToErrorExit([&] {
        if (!editing::FrequencyValue(txtReceFre.Text())) {
            txtReceFre.SetText("");
            cboReceQTSel.SetListIndex(-1);
            cboReceQTSel.SetEnabled(false);
            for (CheckBox* box : {&chkForbidTrans, &chkShift}) {
                box->SetEnabled(false);
                box->SetValue(kUnchecked);
            }
            cboTransPower.SetListIndex(-1);
            cboTransPower.SetEnabled(false);
            chkScan.SetEnabled(false);
            chkScan.SetValue(kUnchecked);
            return;
        }
        if (cboReceQTSel.ListIndex() == -1) cboReceQTSel.SetListIndex(0);
        cboReceQTSel.SetEnabled(true);
        chkForbidTrans.SetEnabled(true);
        chkShift.SetEnabled(true);
        chkShift.SetValue(kUnchecked);
        cboTransPower.SetListIndex(0);
        cboTransPower.SetEnabled(true);
        chkScan.SetEnabled(true);
        chkScan.SetValue(kUnchecked);
    });
}

void FrmMain::txtTransFre_Change() {
    RunToErrorExit([&] {
        if (!editing::FrequencyValue(txtTransFre.Text())) {
            txtTransFre.SetText("");
            cboTransQTSel.SetListIndex(-1);
            cboTransQTSel.SetEnabled(false);
            return;
        }
        cboTransQTSel.SetEnabled(true);
        if (cboTransQTSel.ListIndex() == -1) cboTransQTSel.SetListIndex(0);
    });
}

// Leaving a box without validation: an implausible value becomes the band's low edge; then the
// value is put on the raster. An empty box is left alone.
void FrmMain::LenientLeave(TextBox& box) {
    if (box.Text().empty()) return;
    if (editing::Implausible(BoxValue(box))) {
        const int m = SelectedModel();
        if (m < 0) throw RunTimeError("Invalid procedure call");
        box.SetText(models.gstrModel.at(static_cast<std::size_t>(4 * m + 1)));
        JudgeFreRange();
    }
    SnapBox(box);
}

void FrmMain::txtReceFre_LostFocus() {
    RunToErrorExit([&] {
        if (gblnValLegal) {
            gblnTransOrRece = true;
            DetValLegal(gblnTransOrRece);
        } else {
            LenientLeave(txtReceFre);
        }
    });
}

void FrmMain::txtTransFre_LostFocus() {
    RunToErrorExit([&] {
        if (gblnValLegal) {
            gblnTransOrRece = false;
            DetValLegal(gblnTransOrRece);
        } else {
            LenientLeave(txtTransFre);
        }
    });
}

// Checks one box against the selected model's band and puts its value on the raster. Outside
// the band the value is either refused with a message (the box emptied) or kept and marked,
// as "OverFreFont" says.
void FrmMain::DetValLegal(bool& mblnTransOrRece) {
    RunToErrorExit([&] {
        const bool receive = mblnTransOrRece;
        TextBox& box = receive ? txtReceFre : txtTransFre;
        if (!editing::FrequencyValue(box.Text())) {
            box.SetText("");
            return;
        }
        const int m = SelectedModel();
        const Band band = editing::ModelBand(models, m);
        if (!band.is446) box.SetText(editing::FormatFrequency(BoxValue(box)));

        const bool inside = editing::InBand(band, BoxValue(box));
        std::string message;
        if (!inside) {
            message = editing::RangeMessage(gintLanguage, receive, band,
                                            models.gstrFreRange.at(static_cast<std::size_t>(m)));
            // Without a model table every band is the defaults' and no frequency fits.
            if (!Config().ModelTableProblem().empty()) {
                message = texts["msg.noModelTable"] + "\n" + Config().File().string();
            }
        }
        gblnFreLegal = inside;
        if (inside) {
            SnapBox(box);
            return;
        }
        if (!OverFreFont()) {
            Host().MsgBox(message, MsgButtons::OK, MsgIcon::Critical, texts["msg.title"]);
            box.SetText("");
            box.SetForeColor(gdblColorBlack);
            box.SetFocus();
            return;
        }
        SnapBox(box);
        if (band.is446) {
            gblnFreLegal = editing::InBand(band, BoxValue(box));
            if (!gblnFreLegal) box.SetForeColor(gdblColorHint);
        }
    });
}

// Checks both boxes, transmit first, and colours them; the flags tell the grid which of the two
// lies outside the band. The receive check starts from the transmit check's result, so an empty
// receive box keeps that result.
void FrmMain::JudgeFreRange() {
    RunToErrorExit([&] {
        gblnReceOverRange = false;
        gblnTransOverRange = false;
        if (!gblnValLegal) return;
        const auto mark = [&](TextBox& box, bool& overRange) {
            if (gblnFreLegal) {
                box.SetForeColor(gdblColorBlack);
            } else {
                overRange = true;
                box.SetForeColor(OverFreFont() ? gdblColorHint : gdblColorBlack);
            }
        };
        gblnFreLegal = true;
        gblnTransOrRece = false;
        DetValLegal(gblnTransOrRece);
        mark(txtTransFre, gblnTransOverRange);
        gblnTransOrRece = true;
        DetValLegal(gblnTransOrRece);
        mark(txtReceFre, gblnReceOverRange);
    });
}

}  // namespace rvm46::ui
