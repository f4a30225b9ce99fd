// The one-line JSON picture of the program that `dump` prints.
#include <cstdio>

#include "forms/forms.h"
#include "script/driver.h"
#include "ui/frm_main.h"

namespace rvm46::script {

using namespace forms;
using nlohmann::json;

namespace {

std::string Hex(std::uint32_t value, int digits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*X", digits, value);
    return buffer;
}

// Bytes as hex digits without spaces.
template <class Bytes>
std::string HexBytes(const Bytes& bytes) {
    std::string text;
    for (std::uint8_t byte : bytes) text += Hex(byte, 2);
    return text;
}

std::string Key(const Control& control) {
    return control.IsArrayMember() ? control.Name() + "(" + std::to_string(control.Index()) + ")"
                                   : control.Name();
}

json ControlJson(const Control& control) {
    json j = {{"Type", control.TypeName()},
              {"Enabled", control.Enabled()},
              {"Visible", control.Visible()},
              {"ForeColor", Hex(control.ForeColor(), 6)},
              {"BackColor", Hex(control.BackColor(), 6)},
              {"FontName", control.FontName()},
              {"ToolTipText", control.ToolTipText()}};
    if (const auto* c = dynamic_cast<const CaptionedControl*>(&control))
        j["Caption"] = c->Caption();
    if (const auto* box = dynamic_cast<const TextBox*>(&control)) j["Text"] = box->Text();
    if (const auto* list = dynamic_cast<const ComboBox*>(&control)) {
        j["Text"] = list->Text();
        j["ListIndex"] = list->ListIndex();
        json items = json::array();
        for (int i = 0; i < list->ListCount(); ++i) items.push_back(list->List(i));
        j["List"] = items;
    }
    if (const auto* check = dynamic_cast<const CheckBox*>(&control)) j["Value"] = check->Value();
    if (const auto* option = dynamic_cast<const OptionButton*>(&control)) {
        j["Value"] = option->Value();
    }
    if (const auto* menu = dynamic_cast<const MenuItem*>(&control)) {
        j["Checked"] = menu->Checked();
        j["Shortcut"] = menu->Shortcut();
    }
    if (const auto* bar = dynamic_cast<const ScrollBar*>(&control)) {
        j["Min"] = bar->Min();
        j["Max"] = bar->Max();
        j["Value"] = bar->Value();
    }
    if (const auto* bar = dynamic_cast<const ProgressBar*>(&control)) {
        j["Min"] = bar->Min();
        j["Max"] = bar->Max();
        j["Value"] = bar->Value();
    }
    if (const auto* view = dynamic_cast<const ListView*>(&control)) {
        j["Columns"] = view->Columns();
        j["Rows"] = view->Rows();
    }
    if (const auto* picture = dynamic_cast<const Picture*>(&control)) {
        j["Picture"] = picture->PictureName();
    }
    if (const auto* timer = dynamic_cast<const Timer*>(&control)) {
        j["Interval"] = timer->Interval();
    }
    if (const auto* status = dynamic_cast<const StatusBar*>(&control)) {
        json panels = json::array();
        json tips = json::array();
        for (int p = 1; p <= status->PanelCount(); ++p) {
            panels.push_back(status->PanelText(p));
            tips.push_back(status->PanelToolTip(p));
        }
        j["Panels"] = panels;
        j["PanelToolTips"] = tips;
    }
    if (const auto* toolbar = dynamic_cast<const Toolbar*>(&control)) {
        json buttons = json::array();
        for (int b = 1; b <= toolbar->ButtonCount(); ++b) {
            const ToolbarButton& button = toolbar->Button(b);
            if (button.separator) continue;
            buttons.push_back({{"Key", button.key},
                               {"Caption", button.caption},
                               {"ToolTipText", button.tool_tip},
                               {"Enabled", button.enabled},
                               {"Visible", button.visible}});
        }
        j["Buttons"] = buttons;
    }
    return j;
}

json FormJson(const Form& form) {
    json controls = json::object();
    for (const Control* control : form.Controls()) controls[Key(*control)] = ControlJson(*control);
    return {
        {"Caption", form.Caption()},
        {"BackColor", Hex(form.BackColor(), 6)},
        {"FontName", form.FontName()},
        {"Borderless", form.Borderless()},
        {"Visible", form.Visible()},
        {"Modal", form.Modal()},
        {"ActiveControl", form.ActiveControl() ? json(Key(*form.ActiveControl())) : json(nullptr)},
        {"controls", controls}};
}

// The module state beyond what StateJson lists first: tables, settings and the frequency
// checks' flags, by the program's names.
void AddTablesAndBuffers(const ui::FrmMain& m, json& state) {
    state.update({
        {"gintModelCount", m.models.gintModelCount},
        {"gstrModel", m.models.gstrModel},
        {"gintModelData", m.models.gintModelData},
        {"gstrFreRange", m.models.gstrFreRange},
        {"gstrQTDQTCode", m.tones.gstrQTDQTCode},
        {"gstrQTDQTList", m.tones.gstrQTDQTList},
        {"gstrEngFont", m.gstrEngFont},
        {"gstrChsFont", m.gstrChsFont},
        {"gstrChsTitle", m.gstrChsTitle},
        {"gstrEngTitle", m.gstrEngTitle},
        {"gstrChsVer", m.gstrChsVer},
        {"gstrEngVer", m.gstrEngVer},
        {"gstrChsRelease", m.gstrChsRelease},
        {"gstrEngRelease", m.gstrEngRelease},
        {"gintDefToneHint", m.gintDefToneHint},
        {"gintDefSql", m.gintDefSql},
        {"gintDefMoniKey", m.gintDefMoniKey},
        {"gintDefTimeOut", m.gintDefTimeOut},
        {"gintDefBatSave", m.gintDefBatSave},
        {"gintDefWideNarrow", m.gintDefWideNarrow},
        {"gstrOverFreFont", m.gstrOverFreFont},
        {"glngFreStep", m.glngFreStep},
        {"gdblFreStep", m.gdblFreStep},
        {"gblnTransOrRece", m.gblnTransOrRece},
        {"gblnFreLegal", m.gblnFreLegal},
        {"gblnReceOverRange", m.gblnReceOverRange},
        {"gblnTransOverRange", m.gblnTransOverRange},
        {"gblnNoneFre", m.gblnNoneFre},
        {"gintChNum", m.gintChNum},
        {"gintConvert", m.gintConvert},
    });
}

}  // namespace

json Driver::StateJson() const {
    const ui::FrmMain& m = *main_;
    const std::string image = HexBytes(m.gbytMatrixCode);
    json channels = json::array();
    for (const auto& record : m.gdblChannel) channels.push_back(record);
    json state = {
        {"gintLanguage", m.gintLanguage},
        {"gintComPort", m.gintComPort},
        {"gstrCurrentFile", m.gstrCurrentFile ? json(*m.gstrCurrentFile) : json(nullptr)},
        {"gintCurChannel", m.gintCurChannel},
        {"gintCurModel", m.gintCurModel},
        {"gstrFreVal", m.gstrFreVal},
        {"gdblChannel", channels},
        {"gbytMatrixCode", image},
        {"gblnLoadDefault", m.gblnLoadDefault},
        {"gblnFormLoaded", m.gblnFormLoaded},
        {"gblnPortClosed", m.gblnPortClosed},
        {"gblnReadMode", m.gblnReadMode},
        {"gblnValLegal", m.gblnValLegal},
        {"gblnCommError", m.gblnCommError},
        {"gintSendDataCnt", m.gintSendDataCnt},
        {"gintPercentCnt", m.gintPercentCnt},
        {"gintFrameTotal", m.gintFrameTotal},
        {"gintCommunEndCnt", m.gintCommunEndCnt},
        {"gstrRecentCount", m.gstrRecentCount},
        {"gstrRecentFile",
         json(std::vector<std::string>(m.gstrRecentFile.begin() + 1, m.gstrRecentFile.end()))},
        {"gstrConfigFile", m.gstrConfigFile},
        {"gstrQTDQTFile", m.gstrQTDQTFile},
        {"gstrTempDataFile", m.gstrTempDataFile},
        {"gstrCurFont", m.gstrCurFont},
        {"gdblColorFull", Hex(m.gdblColorFull, 6)},
        {"gdblColorText", Hex(m.gdblColorText, 6)},
        {"gdblColorTextText", Hex(m.gdblColorTextText, 6)},
        {"gdblColorHint", Hex(m.gdblColorHint, 6)},
        {"gdblColorBlack", Hex(m.gdblColorBlack, 6)},
        {"gbytLeadCode", HexBytes(m.gbytLeadCode)},
        {"gbyt06H", Hex(m.gbyt06H, 2)},
        {"gbytSendData", HexBytes(m.gbytSendData)},
        {"gbytReadCmd", HexBytes(m.gbytReadCmd)},
        {"gbytReceData", HexBytes(m.gbytReceData)},
        {"frmToolCom.mintComPort", m.frmToolCom ? json(m.frmToolCom->mintComPort) : json(nullptr)},
        {"comCommun.PortOpen", m.comCommun != nullptr && m.comCommun->IsOpen()},
        {"portOpenFailure",
         m.portOpenFailure ? json(m.portOpenFailure->systemMessage) : json(nullptr)},
        {"lastTransferFailure", m.lastTransferFailure},
    };
    AddTablesAndBuffers(m, state);
    return state;
}

void Driver::Dump() {
    json windows = json::object();
    for (const Form* form : LoadedForms()) windows[form->Name()] = FormJson(*form);
    json focus = nullptr;
    if (main_ && !ended_) {
        const Form& active = ActiveForm();
        if (active.Loaded() && active.ActiveControl() != nullptr) {
            focus = active.Name() + "." + Key(*active.ActiveControl());
        }
    }
    const json dump = {{"started", main_ != nullptr},
                       {"ended", ended_},
                       {"windows", windows},
                       {"focus", focus},
                       {"state", main_ ? StateJson() : json(nullptr)},
                       {"messages", messages_},
                       {"file_dialogs", file_dialogs_},
                       {"shell_open", shell_opens_},
                       {"sheets", sheets_},
                       {"errors", errors_}};
    // Texts typed into boxes or read from folder names may hold any bytes: bytes that are not
    // UTF-8 are shown as U+FFFD so the dump stays valid JSON.
    out_ << dump.dump(-1, ' ', false, json::error_handler_t::replace) << '\n' << std::flush;
    messages_ = json::array();
    file_dialogs_ = json::array();
    shell_opens_ = json::array();
    sheets_ = json::array();
    errors_ = json::array();
}

}  // namespace rvm46::script
