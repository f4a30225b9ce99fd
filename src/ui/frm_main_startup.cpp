// Start-up, the model list and the model selection, and the two ways out of the program.
#include <string>

#include "model/arithmetic.h"
#include "model/run_time_error.h"
#include "storage/program_paths.h"
#include "storage/tone_file.h"
#include "ui/frm_main.h"

namespace rvm46::ui {

using namespace forms;

std::string FrmMain::ProgramFolder() const {
    return Host().ProgramFolder();
}

std::string FrmMain::ProgramFilePath(const std::string& relative) const {
    return storage::ProgramFile(ProgramFolder(), relative).string();
}

MsgResult FrmMain::Message(const std::string& textKey, MsgButtons buttons, MsgIcon icon) {
    return Host().MsgBox(texts[textKey], buttons, icon, texts["msg.title"]);
}

void FrmMain::Form_Load() {
    RunToErrorExit([&] {
        gblnPortClosed = true;
        gblnFormLoaded = false;
        gstrRecentCount = std::string("0");  // not = "0": GCC 12 -O3 warns falsely (-Wrestrict)

        gstrConfigFile = std::string(storage::kConfigFile);
        gstrQTDQTFile = std::string(storage::kToneFile);
        gstrTempDataFile = std::string(storage::kTempDataFile);
        gstrEngFont = "Times New Roman";
        gstrChsFont = "宋体";

        // A program folder that cannot take the folders (read-only installation) must not stop
        // the start-up: every file then falls back to its defaults.
        for (const char* folder : {"\\Data", "\\Setting"}) {
            RunToErrorExit([&] {
                const std::string path = ProgramFilePath(folder);
                if (!Host().FolderExists(path)) Host().CreateFolder(path);
            });
        }

        InitChannelParameter();
        // Each file is read once: the tone list file here (its codes now, its texts in
        // InitItem), the configuration file in InitItem.
        toneFile_ = std::make_unique<storage::ProfileSnapshot>(ProgramFilePath(gstrQTDQTFile));
        storage::LoadToneCodes(*toneFile_, tones);
        config_ = std::make_unique<storage::ConfigFile>(ProgramFilePath(gstrConfigFile));
        InitItem();

        gblnLoadDefault = true;
        InitSoftDefault(false);
        gblnLoadDefault = false;

        InitInterFace();
        ReportRefusedFiles();
        toneFile_.reset();
        InitMatrixCode(gbytMatrixCode, gbytLeadCode);
        sbrStatus.SetPanelText(1, texts["status.ready"]);
        gblnFormLoaded = true;
    });
}

void FrmMain::InitItem() {
    RunToErrorExit([&] {
        if (!toneFile_) {
            toneFile_ = std::make_unique<storage::ProfileSnapshot>(ProgramFilePath(gstrQTDQTFile));
        }
        storage::LoadToneList(*toneFile_, tones);
        TransReceCtcssList(true, true);
        TransReceCtcssList(false, true);

        models = Config().ReadModelTable();
        for (int m = 0; m < models.gintModelCount; ++m) {
            cboTypeSel.AddItem(models.gstrModel[4 * m], m);
        }

        const storage::Titles titles = Config().ReadTitles();
        gstrChsTitle = titles.chsTitle;
        gstrEngTitle = titles.engTitle;
        gstrChsVer = titles.chsVer;
        gstrEngVer = titles.engVer;
        gstrChsRelease = titles.chsRelease;
        gstrEngRelease = titles.engRelease;

        // The language-dependent items start with the still empty current texts.
        for (const char* key : {"list.off", "list.monitorMomentary", "list.monitorLock",
                                "list.squelchOffMomentary"}) {
            cboMoniSel.AddItem(texts[key]);
        }
        for (int i = 0; i <= 9; ++i) cboSqlSel.AddItem(std::to_string(i));
        cboVoiceHintSel.AddItem(texts["list.on"]);
        cboVoiceHintSel.AddItem(texts["list.off"]);
        cboTransTimeSel.AddItem(texts["list.off"]);
        for (int n = 1; n <= 10; ++n) cboTransTimeSel.AddItem(std::to_string(30 * n));
        cboSavePowSel.AddItem(texts["list.on"]);
        cboSavePowSel.AddItem(texts["list.off"]);
        for (int ch = 1; ch <= kGridRows; ++ch) cboChSel.AddItem(std::to_string(ch));

        const storage::DefaultIndexes defaults = Config().ReadDefaults();
        gintDefToneHint = defaults.toneHint;
        gintDefSql = defaults.sql;
        gintDefMoniKey = defaults.moniKey;
        gintDefTimeOut = defaults.timeOut;
        gintDefBatSave = defaults.batSave;
        gintDefWideNarrow = defaults.wideNarrow;
        DefaultParameter();

        // The channel editor as for a channel without frequency.
        cboChSel.SetListIndex(0);
        for (ComboBox* tones : {&cboReceQTSel, &cboTransQTSel}) {
            tones->SetListIndex(-1);
            tones->SetEnabled(false);
        }
        for (CheckBox* box : {&chkForbidTrans, &chkShift, &chkScan}) {
            box->SetValue(kUnchecked);
            box->SetEnabled(false);
        }
        cboTransPower.SetListIndex(0);
        cboTransPower.SetEnabled(false);
    });
}

void FrmMain::cboTypeSel_Click() {
    RunToErrorExit([&] {
        const int selected = cboTypeSel.ListIndex();
        if (selected != gintCurModel) {
            lblFreVal.SetCaption(selected >= 0 ? models.gstrFreRange.at(selected) : "");
            const bool yes =
                gblnLoadDefault || Message("msg.modelChangeQuestion", MsgButtons::YesNo,
                                           MsgIcon::Exclamation) == MsgResult::Yes;
            if (!yes) {
                lblFreVal.SetCaption(gstrFreVal);
                cboTypeSel.SetListIndex(gintCurModel);
            } else {
                gstrFreVal = lblFreVal.Caption();
                gintCurModel = static_cast<std::int16_t>(selected);
                txtReceFre.SetText("");
                txtTransFre.SetText("");
                DefaultParameter();
                DeteChanData();
                InitSignalBG();
                InitChannelParameter();
                cboChSel.SetText("1");
            }
        }
        InitSoftDefault(true);
        for (TextBox* box : {&txtReceFre, &txtTransFre}) {
            if (const auto value = StrictNumber(box->Text())) {
                box->SetText(FormatFixed(*value, 3, 5));
            }
        }
    });
}

void FrmMain::WriteExitSettings() {
    Config().WriteExit(ProgramFilePath(gstrTempDataFile), chkFreReceEquTrans.Value() == kChecked);
}

void FrmMain::mnuExit_Click() {
    RunToErrorExit([&] {
        if (Message("msg.exitQuestion", MsgButtons::YesNo, MsgIcon::Question) != MsgResult::Yes) {
            return;
        }
        WriteExitSettings();
        Host().EndProcess();
    });
}

void FrmMain::Form_QueryUnload(bool& cancel, UnloadMode /*mode*/) {
    RunToErrorExit([&] {
        if (Message("msg.exitQuestion", MsgButtons::YesNo, MsgIcon::Question) != MsgResult::Yes) {
            cancel = true;
            return;
        }
        WriteExitSettings();
    });
}

}  // namespace rvm46::ui
