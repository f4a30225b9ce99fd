// Reading the settings of the configuration file at start-up, saving them after every change,
// and the first-run path that asks for the language when a setting cannot be read.
#include <optional>
#include <string>

#include "model/run_time_error.h"
#include "storage/profile.h"
#include "storage/profile_values.h"
#include "ui/frm_main.h"

namespace rvm46::ui {

using namespace forms;

namespace {

constexpr const char* kSetting = "Setting";

// A whole number that fits the program's 16-bit Integer.
std::optional<std::int16_t> ToInteger(const std::string& text) {
    const auto value = storage::ParseWholeNumber(text);
    if (!value || *value < INT16_MIN || *value > INT16_MAX) return std::nullopt;
    return static_cast<std::int16_t>(*value);
}

}  // namespace

void FrmMain::InitSoftDefault(bool mblnSaveRead) {
    const std::string configFile = ProgramFilePath(gstrConfigFile);
    const auto write = [&](const char* key, std::optional<std::string> value) {
        storage::ProfileWrite(configFile, kSetting, key, value);
    };
    RunToErrorExit([&] {
        if (mblnSaveRead) {
            write("Language", gintLanguage == 1 ? "1" : "2");
            write("COM", std::to_string(gintComPort));
            write("Path", gstrCurrentFile);
            write("Model", std::to_string(cboTypeSel.ListIndex()));
            write("ValLegal", gblnValLegal ? "True" : "False");
            return;
        }

        // Colours. One that is not a number keeps its default rather than stopping the start-up.
        const auto colour = [&](const char* key, const char* fallback) {
            const std::string text = storage::ProfileRead(configFile, kSetting, key, fallback, 9);
            return storage::ParseColourLiteral(text).value_or(
                *storage::ParseColourLiteral(fallback));
        };
        gdblColorFull = colour("ColorFull", "&HCADCEC");
        gdblColorTextText = colour("ColorTextText", "&HCADCE7");
        gdblColorText = colour("ColorText", "&HCACEDF");
        gdblColorHint = colour("ColorHint", "&H0000FF");
        gdblColorBlack = colour("ColorBlack", "&H000000");

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
    const std::string configFile = ProgramFilePath(gstrConfigFile);
    const auto read = [&](const char* key, const std::string& fallback, int size) {
        return storage::ProfileRead(configFile, kSetting, key, fallback, size);
    };
    const auto boolean = [&](const char* key, const char* fallback,
                             bool firstRunValue) -> std::optional<bool> {
        const auto value = storage::ParseBoolean(read(key, fallback, 6));
        if (!value && firstRunDone) return firstRunValue;
        return value;
    };
    const auto integer = [&](const char* key, const char* fallback, int size,
                             std::int16_t firstRunValue) -> std::optional<std::int16_t> {
        const auto value = ToInteger(read(key, fallback, size));
        if (!value && firstRunDone) return firstRunValue;
        return value;
    };

    const auto valLegal = boolean("ValLegal", "True", true);
    if (!valLegal) return false;
    gblnValLegal = *valLegal;
    gstrOverFreFont = read("OverFreFont", "True", 6);
    if (!boolean("NotLimitedModel", "False", true)) return false;

    const auto language = integer("Language", "a", 2, gintLanguage);
    if (!language) return false;
    gintLanguage = *language == 1 ? 1 : 2;
    mnuLangSel0.SetChecked(gintLanguage == 1);
    mnuLangSel1.SetChecked(gintLanguage == 2);

    const std::string comText = read("COM", "1", 3);
    const auto com = integer("COM", "1", 3, 1);
    if (!com) return false;
    gintComPort = *com;
    sbrStatus.SetPanelText(2, "COM" + (ToInteger(comText) ? comText : std::to_string(*com)));

    const auto model = integer("Model", "1", 3, 1);
    if (!model) return false;
    // An index beyond the model list, or a negative one, selects the first model.
    int m = *model;
    if (m > models.gintModelCount - 1 || m < 0) m = 0;
    cboTypeSel.SetListIndex(m);
    lblFreVal.SetCaption(models.gstrFreRange.at(m));
    gstrFreVal = lblFreVal.Caption();

    gstrCurrentFile = read("Path", ProgramFilePath(gstrTempDataFile), 300);

    const auto freEqual = integer("FreEqual", "1", 2, 1);
    if (!freEqual) return false;
    chkFreReceEquTrans.SetValue(*freEqual == 0 ? kUnchecked : kChecked);
    return true;
}

void FrmMain::FirstRun() {
    frmSelLang = std::make_unique<FrmSelLang>(Host(), gintLanguage, gdblColorFull);
    frmSelLang->ShowModal(this);
    frmSelLang.reset();

    const std::string configFile = ProgramFilePath(gstrConfigFile);
    const auto write = [&](const char* key, const std::string& value) {
        storage::ProfileWrite(configFile, kSetting, key, value);
    };
    write("Language", std::to_string(gintLanguage));
    write("COM", "1");
    write("Path", "");
    write("Model", "1");
    write("FreEqual", "1");
    write("ValLegal", "True");
    write("NotLimitedModel", "True");
    write("ColorFull", "&HD8DBE4");
    write("ColorText", "&HDDDEE4");
    write("ColorTextText", "&HFFFFFF");
}

}  // namespace rvm46::ui
