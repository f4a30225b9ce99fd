// Reading the settings of the configuration file at start-up, saving them after every change,
// and the first-run path that asks for the language when a setting cannot be read.
#include <optional>
#include <string>

#include "model/run_time_error.h"
#include "storage/settings.h"
#include "ui/frm_main.h"

namespace rvm46::ui {

using namespace forms;

namespace setting = storage::setting;

void FrmMain::InitSoftDefault(bool mblnSaveRead) {
    RunToErrorExit([&] {
        if (mblnSaveRead) {
            Config().Save(
                {gintLanguage, gintComPort, gstrCurrentFile, cboTypeSel.ListIndex(), gblnValLegal});
            return;
        }

        // Colours. One that is not a number keeps its default rather than stopping the start-up.
        const storage::Colours colours = Config().ReadColours();
        gdblColorFull = colours.full;
        gdblColorTextText = colours.textText;
        gdblColorText = colours.text;
        gdblColorHint = colours.hint;
        gdblColorBlack = colours.black;

        if (!ReadSettings(false)) {
            FirstRun();
            ReadSettings(true);
        }
    });
}

// Steps that convert what they read. A value that cannot be converted starts the first-run path
// (false is returned before anything further is applied). Once the first-run values have been
// written, a value that still cannot be converted (the file could not be written) takes its
// first-run value instead of asking again.
bool FrmMain::ReadSettings(bool firstRunDone) {
    const auto boolean = [&](const storage::SettingKey& key,
                             bool firstRunValue) -> std::optional<bool> {
        const auto value = Config().ReadBoolean(key);
        if (!value && firstRunDone) return firstRunValue;
        return value;
    };
    const auto integer = [&](const storage::SettingKey& key,
                             std::int16_t firstRunValue) -> std::optional<std::int16_t> {
        const auto value = Config().ReadInteger(key);
        if (!value && firstRunDone) return firstRunValue;
        return value;
    };

    const auto valLegal = boolean(setting::kValLegal, true);
    if (!valLegal) return false;
    gblnValLegal = *valLegal;
    gstrOverFreFont = Config().Read(setting::kOverFreFont);
    if (!boolean(setting::kNotLimitedModel, true)) return false;

    const auto language = integer(setting::kLanguage, gintLanguage);
    if (!language) return false;
    gintLanguage = *language == 1 ? 1 : 2;
    mnuLangSel0.SetChecked(gintLanguage == 1);
    mnuLangSel1.SetChecked(gintLanguage == 2);

    const auto com = integer(setting::kCom, 1);
    if (!com) return false;
    gintComPort = *com;
    const bool comStored = Config().ReadInteger(setting::kCom).has_value();
    sbrStatus.SetPanelText(
        2, "COM" + (comStored ? Config().Read(setting::kCom) : std::to_string(*com)));

    const auto model = integer(setting::kModel, 1);
    if (!model) return false;
    // An index beyond the model list, or a negative one, selects the first model.
    int m = *model;
    if (m > models.gintModelCount - 1 || m < 0) m = 0;
    cboTypeSel.SetListIndex(m);
    lblFreVal.SetCaption(models.gstrFreRange.at(m));
    gstrFreVal = lblFreVal.Caption();

    gstrCurrentFile = Config().ReadPath(ProgramFilePath(gstrTempDataFile));

    const auto freEqual = integer(setting::kFreEqual, 1);
    if (!freEqual) return false;
    chkFreReceEquTrans.SetValue(*freEqual == 0 ? kUnchecked : kChecked);
    return true;
}

void FrmMain::FirstRun() {
    frmSelLang = std::make_unique<FrmSelLang>(Host(), gintLanguage, gdblColorFull);
    frmSelLang->ShowModal(this);
    frmSelLang.reset();

    Config().WriteFirstRun(gintLanguage);
}

storage::ConfigFile& FrmMain::Config() {
    if (!config_) config_ = std::make_unique<storage::ConfigFile>(ProgramFilePath(gstrConfigFile));
    return *config_;
}

void FrmMain::ReportRefusedFiles() {
    const std::pair<std::string, std::string> files[] = {
        {Config().File().string(), Config().Problem()},
        {ProgramFilePath(gstrQTDQTFile), toneFile_ ? toneFile_->Problem() : std::string()}};
    for (const auto& [path, problem] : files) {
        if (problem.empty()) continue;
        Host().MsgBox(texts["msg.fileRefused"] + "\n" + path + " " + problem, MsgButtons::OK,
                      MsgIcon::Exclamation, texts["msg.title"]);
    }
}

}  // namespace rvm46::ui
