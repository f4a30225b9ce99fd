// The interface texts, fonts and colours of the active language, and the language menu.
#include <string>
#include <string_view>

#include "model/run_time_error.h"
#include "ui/frm_main.h"

namespace rvm46::ui {

using namespace forms;

namespace {

// "lblType.Caption" -> {"lblType", "Caption"}; "tlbFrmMain.Read.ToolTipText" -> {"tlbFrmMain.Read",
// "ToolTipText"}.
std::pair<std::string_view, std::string_view> SplitKey(std::string_view key) {
    const auto dot = key.rfind('.');
    if (dot == std::string_view::npos) return {key, {}};
    return {key.substr(0, dot), key.substr(dot + 1)};
}

}  // namespace

void FrmMain::ReplaceListItems(ComboBox& list, std::initializer_list<const char*> keys) {
    const int selected = list.ListIndex();
    for (std::size_t i = 0; i < keys.size(); ++i) list.RemoveItem(0);
    int index = 0;
    for (const char* key : keys) list.AddItem(texts[key], index++);
    list.SetListIndex(selected);
}

void FrmMain::InitInterFace() {
    RunToErrorExit([&] {
        InitSignalBG();

        // Window and panel background.
        SetBackColor(gdblColorFull);
        std::vector<Control*> textControls;
        for (Control* control : Controls()) {
            const std::string& name = control->Name();
            const bool panel = control->TypeName() == std::string_view("Picture");
            const bool colored = panel || control->TypeName() == std::string_view("Frame") ||
                                 (control->TypeName() == std::string_view("Label")) ||
                                 (control->TypeName() == std::string_view("CheckBox")) ||
                                 name == "cmdConfirm";
            if (!colored) continue;
            control->SetBackColor(gdblColorFull);
            if (!panel) textControls.push_back(control);
        }

        // Title, fonts and the current texts of the language.
        const bool chinese = gintLanguage == 1;
        SetCaption(chinese ? gstrChsTitle : gstrEngTitle);
        gstrCurFont = chinese ? gstrChsFont : gstrEngFont;
        SetFontName(gstrCurFont);
        for (Control* control : textControls) control->SetFontName(gstrCurFont);
        for (ComboBox* list : {&cboTypeSel, &cboMoniSel, &cboTransTimeSel, &cboSqlSel,
                               &cboSavePowSel, &cboVoiceHintSel, &cboScan, &cboChSel, &cboReceQTSel,
                               &cboTransQTSel, &cboTransPower, &cboWideNarrow}) {
            list->SetFontName(gstrCurFont);
        }
        sbrStatus.SetFontName(gstrCurFont);
        texts.SetLanguage(gintLanguage);
        mnuAllData.SetCaption(texts["mnuAllData.Caption"]);

        // Captions of menus and controls, in the order of the text table (menus first).
        for (const TextEntry& entry : TextTableEntries()) {
            const auto [target, property] = SplitKey(entry.key);
            if (property != "Caption") continue;
            if (auto* captioned = dynamic_cast<CaptionedControl*>(Find(target))) {
                captioned->SetCaption(texts[entry.key]);
            }
        }

        // Language-dependent list items, keeping every selection.
        ReplaceListItems(cboMoniSel, {"list.off", "list.monitorMomentary", "list.monitorLock",
                                      "list.squelchOffMomentary"});
        ReplaceListItems(cboVoiceHintSel, {"list.on", "list.off"});
        ReplaceListItems(cboSavePowSel, {"list.on", "list.off"});
        ReplaceListItems(cboScan, {"list.timeControl", "list.carrierControl"});
        ReplaceListItems(cboTransTimeSel, {"list.off"});
        ReplaceListItems(cboTransQTSel, {"list.none"});
        ReplaceListItems(cboReceQTSel, {"list.none"});
        ReplaceListItems(cboTransPower, {"list.high", "list.low"});
        ReplaceListItems(cboWideNarrow, {"list.wide", "list.narrow"});

        // Tool tips of the toolbar buttons, the controls and the status panels.
        for (const TextEntry& entry : TextTableEntries()) {
            const auto [target, property] = SplitKey(entry.key);
            if (property != "ToolTipText") continue;
            const auto [owner, part] = SplitKey(target);
            if (owner == "tlbFrmMain") {
                tlbFrmMain.SetButtonToolTip(tlbFrmMain.ButtonNumber(part), texts[entry.key]);
            } else if (owner == "sbrStatus") {
                sbrStatus.SetPanelToolTip(std::stoi(std::string(part)), texts[entry.key]);
            } else if (Control* control = Find(target)) {
                control->SetToolTipText(texts[entry.key]);
            }
        }

        if (gstrCurrentFile && !gstrCurrentFile->empty()) {
            sbrStatus.SetPanelText(3, texts["status.fileNamePrefix"] + *gstrCurrentFile);
        }
        sbrStatus.SetPanelText(1, texts["status.ready"]);

        // Grid texts that depend on the language, for the channels in use.
        for (int r = 0; r < kGridRows; ++r) {
            const ChannelRecord& channel = gdblChannel[r];
            const bool inUse = channel[kFieldRx] != -1;
            for (int c = 1; c <= kGridColumns; ++c) {
                txtChannel(CellIndex(c, r)).SetBackColor(inUse ? gdblColorTextText : gdblColorText);
            }
            if (!inUse) continue;
            if (channel[kFieldDecodeTone] == 0) txtChannel(3000 + r).SetText(texts["list.none"]);
            if (channel[kFieldEncodeTone] == 0) txtChannel(4000 + r).SetText(texts["list.none"]);
            const auto yesNo = [&](double value) {
                return texts[value == 1 ? "list.yes" : "list.no"];
            };
            if (channel[kFieldBusyLockout] == 0 || channel[kFieldBusyLockout] == 1) {
                txtChannel(5000 + r).SetText(yesNo(channel[kFieldBusyLockout]));
            }
            if (channel[kFieldShift] == 0 || channel[kFieldShift] == 1) {
                txtChannel(6000 + r).SetText(yesNo(channel[kFieldShift]));
            }
        }
        for (int c = 1; c <= kGridColumns; ++c) {
            for (int r = 0; r < kGridRows; ++r)
                txtChannel(CellIndex(c, r)).SetFontName(gstrCurFont);
        }
    });
}

void FrmMain::mnuLangSel0_Click() {
    RunToErrorExit([&] {
        mnuLangSel0.SetChecked(true);
        mnuLangSel1.SetChecked(false);
        gintLanguage = 1;
        InitSoftDefault(true);
        InitInterFace();
    });
}

void FrmMain::mnuLangSel1_Click() {
    RunToErrorExit([&] {
        mnuLangSel0.SetChecked(false);
        mnuLangSel1.SetChecked(true);
        gintLanguage = 2;
        InitSoftDefault(true);
        InitInterFace();
    });
}

}  // namespace rvm46::ui
