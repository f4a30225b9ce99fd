#pragma once
// The main window: owner of the program's whole state, its controls, and the handlers that the
// user's actions raise. The procedures are spread over files by concern:
//   frm_main_controls.cpp   controls, menus, toolbar, status bar and event wiring
//   frm_main_startup.cpp    start-up, model list and model selection, exit and window close
//   frm_main_settings.cpp   reading and saving the settings of the configuration file
//   frm_main_interface.cpp  the interface texts of the active language
//   frm_main_commands.cpp   menu and toolbar commands
//   frm_main_channels.cpp   channel table resets, tone lists, encoding and decoding the codeplug
//   frm_main_editing.cpp    the frequency boxes: typing, leaving, band check and colouring
//   frm_main_channel_commands.cpp  loading, accepting and deleting channels
//   frm_main_grid.cpp       the channel grid, showing a codeplug, the pop-up menu, the spinner
//   frm_main_files.cpp      the file commands, the recent-file list, help and the about box
//   frm_main_transfers.cpp  the port, reading from and writing to the radio, the status reset
//   frm_main_csv.cpp        importing and exporting the channels as a CSV channel list

#include <memory>
#include <optional>
#include <string>

#include "comm/outcome.h"
#include "comm/port_names.h"
#include "comm/protocol_state.h"
#include "comm/serial_line.h"
#include "forms/forms.h"
#include "model/module_state.h"
#include "storage/profile.h"
#include "storage/settings.h"
#include "ui/channel_grid.h"
#include "ui/frm_about_soft.h"
#include "ui/frm_commun.h"
#include "ui/frm_compare.h"
#include "ui/frm_sel_lang.h"
#include "ui/frm_tool_com.h"
#include "ui/main_window_state.h"
#include "ui/port_texts.h"
#include "ui/text_table.h"

namespace rvm46::ui {

class FrmMain : public forms::Form,
                public ModuleState,
                public MainWindowState,
                public comm::ProtocolState {
  public:
    explicit FrmMain(forms::Platform& platform);
    ~FrmMain() override;

    // ---- Controls, by group ----
    // Model.
    forms::Frame& fraTypeSel = Add<forms::Frame>("fraTypeSel");
    forms::Picture& picTypeSel = Add<forms::Picture>("picTypeSel", "fraTypeSel");
    forms::Label& lblType = Add<forms::Label>("lblType", "picTypeSel");
    forms::ComboBox& cboTypeSel = Add<forms::ComboBox>("cboTypeSel", "picTypeSel");
    forms::Label& lblFre = Add<forms::Label>("lblFre", "picTypeSel");
    forms::Label& lblFreVal = Add<forms::Label>("lblFreVal", "picTypeSel");

    // Function settings.
    forms::Frame& fraFuncSet = Add<forms::Frame>("fraFuncSet");
    forms::Picture& picSetFunction = Add<forms::Picture>("picSetFunction", "fraFuncSet");
    forms::Label& lblMoni = Add<forms::Label>("lblMoni", "picSetFunction");
    forms::ComboBox& cboMoniSel = Add<forms::ComboBox>("cboMoniSel", "picSetFunction");
    forms::Label& lblTransTimer = Add<forms::Label>("lblTransTimer", "picSetFunction");
    forms::ComboBox& cboTransTimeSel = Add<forms::ComboBox>("cboTransTimeSel", "picSetFunction");
    forms::Label& lblSql = Add<forms::Label>("lblSql", "picSetFunction");
    forms::ComboBox& cboSqlSel = Add<forms::ComboBox>("cboSqlSel", "picSetFunction");
    forms::Label& lblSavePow = Add<forms::Label>("lblSavePow", "picSetFunction");
    forms::ComboBox& cboSavePowSel = Add<forms::ComboBox>("cboSavePowSel", "picSetFunction");
    forms::Label& lblVoiceHint = Add<forms::Label>("lblVoiceHint", "picSetFunction");
    forms::ComboBox& cboVoiceHintSel = Add<forms::ComboBox>("cboVoiceHintSel", "picSetFunction");
    forms::Label& lblFuncScan = Add<forms::Label>("lblFuncScan", "picSetFunction");
    forms::ComboBox& cboScan = Add<forms::ComboBox>("cboScan", "picSetFunction");

    // Channel edit.
    forms::Frame& fraFreSet = Add<forms::Frame>("fraFreSet");
    forms::Picture& picChannelEdit = Add<forms::Picture>("picChannelEdit", "fraFreSet");
    forms::Label& lblCh = Add<forms::Label>("lblCh", "picChannelEdit");
    forms::ComboBox& cboChSel = Add<forms::ComboBox>("cboChSel", "picChannelEdit");
    forms::ScrollBar& vsbSelCH = Add<forms::ScrollBar>("vsbSelCH", "picChannelEdit");
    forms::Label& lblReceFre = Add<forms::Label>("lblReceFre", "picChannelEdit");
    forms::TextBox& txtReceFre = Add<forms::TextBox>("txtReceFre", "picChannelEdit");
    forms::Label& lblTransFre = Add<forms::Label>("lblTransFre", "picChannelEdit");
    forms::TextBox& txtTransFre = Add<forms::TextBox>("txtTransFre", "picChannelEdit");
    forms::Label& lblReceQT = Add<forms::Label>("lblReceQT", "picChannelEdit");
    forms::ComboBox& cboReceQTSel = Add<forms::ComboBox>("cboReceQTSel", "picChannelEdit");
    forms::Label& lblTransQT = Add<forms::Label>("lblTransQT", "picChannelEdit");
    forms::ComboBox& cboTransQTSel = Add<forms::ComboBox>("cboTransQTSel", "picChannelEdit");
    forms::Label& lblForbidTrans = Add<forms::Label>("lblForbidTrans", "picChannelEdit");
    forms::CheckBox& chkForbidTrans = Add<forms::CheckBox>("chkForbidTrans", "picChannelEdit");
    forms::Label& lblShift = Add<forms::Label>("lblShift", "picChannelEdit");
    forms::CheckBox& chkShift = Add<forms::CheckBox>("chkShift", "picChannelEdit");
    forms::Label& lblTransPower = Add<forms::Label>("lblTransPower", "picChannelEdit");
    forms::ComboBox& cboTransPower = Add<forms::ComboBox>("cboTransPower", "picChannelEdit");
    forms::Label& lblWideNarrow = Add<forms::Label>("lblWideNarrow", "picChannelEdit");
    forms::ComboBox& cboWideNarrow = Add<forms::ComboBox>("cboWideNarrow", "picChannelEdit");
    forms::Label& lblScan = Add<forms::Label>("lblScan", "picChannelEdit");
    forms::CheckBox& chkScan = Add<forms::CheckBox>("chkScan", "picChannelEdit");
    forms::CheckBox& chkFreReceEquTrans =
        Add<forms::CheckBox>("chkFreReceEquTrans", "picChannelEdit");
    forms::CheckBox& chkDeteChanData = Add<forms::CheckBox>("chkDeteChanData", "picChannelEdit");
    forms::CommandButton& cmdConfirm = Add<forms::CommandButton>("cmdConfirm", "picChannelEdit");

    // Channel information grid: header labels, row numbers and cells txtChannel(1000 c + r).
    forms::Frame& fraFreDisplay = Add<forms::Frame>("fraFreDisplay");
    forms::Picture& picChannelInformation =
        Add<forms::Picture>("picChannelInformation", "fraFreDisplay");
    forms::Label& lblFreDis = Add<forms::Label>("lblFreDis", "picChannelInformation");
    forms::Label& lblReceFreDis = Add<forms::Label>("lblReceFreDis", "picChannelInformation");
    forms::Label& lblTransFreDis = Add<forms::Label>("lblTransFreDis", "picChannelInformation");
    forms::Label& lblQTDQTDis = Add<forms::Label>("lblQTDQTDis", "picChannelInformation");
    forms::Label& lblQTDQTDecodeDis =
        Add<forms::Label>("lblQTDQTDecodeDis", "picChannelInformation");
    forms::Label& lblQTDQTEncodeDis =
        Add<forms::Label>("lblQTDQTEncodeDis", "picChannelInformation");
    forms::Label& lblForbidDis = Add<forms::Label>("lblForbidDis", "picChannelInformation");
    forms::Label& lblShiftDis = Add<forms::Label>("lblShiftDis", "picChannelInformation");
    forms::Label& lblTransPowerDis = Add<forms::Label>("lblTransPowerDis", "picChannelInformation");
    forms::Label& lblScanDis = Add<forms::Label>("lblScanDis", "picChannelInformation");
    forms::ControlArray<forms::Label>& lblChannel =
        AddArray<forms::Label>("lblChannel", "picChannelInformation");
    forms::ControlArray<forms::TextBox>& txtChannel =
        AddArray<forms::TextBox>("txtChannel", "picChannelInformation");

    // Menus, in menu order.
    forms::MenuItem& mnuFile = Add<forms::MenuItem>("mnuFile");
    forms::MenuItem& mnuFileNew = Add<forms::MenuItem>("mnuFileNew", "mnuFile");
    forms::MenuItem& mnuFileOpen = Add<forms::MenuItem>("mnuFileOpen", "mnuFile");
    forms::MenuItem& mnuFileSave = Add<forms::MenuItem>("mnuFileSave", "mnuFile");
    forms::MenuItem& mnuFileSaveAs = Add<forms::MenuItem>("mnuFileSaveAs", "mnuFile");
    forms::MenuItem& mnuImportChannels = Add<forms::MenuItem>("mnuImportChannels", "mnuFile");
    forms::MenuItem& mnuExportChannels = Add<forms::MenuItem>("mnuExportChannels", "mnuFile");
    forms::MenuItem& mnuCompareFile = Add<forms::MenuItem>("mnuCompareFile", "mnuFile");
    forms::MenuItem& mnuPrintSheet = Add<forms::MenuItem>("mnuPrintSheet", "mnuFile");
    forms::MenuItem& mnuExportSheet = Add<forms::MenuItem>("mnuExportSheet", "mnuFile");
    forms::MenuItem& ListSeparator01 = Add<forms::MenuItem>("ListSeparator01", "mnuFile");
    forms::ControlArray<forms::MenuItem>& mnuRecentFile =
        AddArray<forms::MenuItem>("mnuRecentFile", "mnuFile");
    forms::MenuItem& ListSeparator04 = Add<forms::MenuItem>("ListSeparator04", "mnuFile");
    forms::MenuItem& mnuExit = Add<forms::MenuItem>("mnuExit", "mnuFile");
    forms::MenuItem& mnuProgram = Add<forms::MenuItem>("mnuProgram");
    forms::MenuItem& mnuReadFre = Add<forms::MenuItem>("mnuReadFre", "mnuProgram");
    forms::MenuItem& mnuWriteFre = Add<forms::MenuItem>("mnuWriteFre", "mnuProgram");
    forms::MenuItem& mnuCompareRadio = Add<forms::MenuItem>("mnuCompareRadio", "mnuProgram");
    forms::MenuItem& mnuSet = Add<forms::MenuItem>("mnuSet");
    forms::MenuItem& mnuCommunicate = Add<forms::MenuItem>("mnuCommunicate", "mnuSet");
    forms::MenuItem& mnuSetSep = Add<forms::MenuItem>("mnuSetSep", "mnuSet");
    forms::MenuItem& mnuLangSetting = Add<forms::MenuItem>("mnuLangSetting", "mnuSet");
    forms::MenuItem& mnuLangSel0 = Add<forms::MenuItem>("mnuLangSel0", "mnuLangSetting");
    forms::MenuItem& mnuLangSel1 = Add<forms::MenuItem>("mnuLangSel1", "mnuLangSetting");
    forms::MenuItem& mnuAdvanceSep = Add<forms::MenuItem>("mnuAdvanceSep", "mnuSet");
    forms::MenuItem& mnuAdvance = Add<forms::MenuItem>("mnuAdvance", "mnuSet");
    forms::MenuItem& mnuHelp = Add<forms::MenuItem>("mnuHelp");
    forms::MenuItem& mnuHelpTopic = Add<forms::MenuItem>("mnuHelpTopic", "mnuHelp");
    forms::MenuItem& mnuHelpSep = Add<forms::MenuItem>("mnuHelpSep", "mnuHelp");
    forms::MenuItem& mnuAboutSoft = Add<forms::MenuItem>("mnuAboutSoft", "mnuHelp");
    forms::MenuItem& mnuDelAllData = Add<forms::MenuItem>("mnuDelAllData");
    forms::MenuItem& mnuChannelData = Add<forms::MenuItem>("mnuChannelData", "mnuDelAllData");
    forms::MenuItem& mnuDelSep = Add<forms::MenuItem>("mnuDelSep", "mnuDelAllData");
    forms::MenuItem& mnuAllData = Add<forms::MenuItem>("mnuAllData", "mnuDelAllData");

    // Window furniture.
    forms::Toolbar& tlbFrmMain = Add<forms::Toolbar>("tlbFrmMain");
    forms::StatusBar& sbrStatus = Add<forms::StatusBar>("sbrStatus");
    forms::Timer& tmrCommunEnd = Add<forms::Timer>("tmrCommunEnd");

    // The current interface texts (empty until the first InitInterFace).
    InterfaceTexts texts;

    // The language window while it is shown on the first start.
    std::unique_ptr<FrmSelLang> frmSelLang;
    // The about box while it is shown.
    std::unique_ptr<FrmAboutSoft> frmAboutSoft;

    // ---- Procedures ----
    // Start-up, model list and model selection, exit.
    void Form_Load();
    void InitItem();
    void cboTypeSel_Click();
    void Form_QueryUnload(bool& cancel, forms::UnloadMode mode);
    void mnuExit_Click();

    // Settings.
    void InitSoftDefault(bool mblnSaveRead);

    // Interface texts and language.
    void InitInterFace();
    void mnuLangSel0_Click();
    void mnuLangSel1_Click();

    // Commands.
    void tlbFrmMain_ButtonClick(const std::string& key);

    // Channel table, function lists and tone lists.
    void InitChannelParameter();
    void DefaultParameter();
    void DeteChanData();
    void InitSignalBG();
    void TransReceCtcssList(bool mblnReceCtcss, bool mblnCtcssAddItem);
    void cboReceQTSel_GotFocus();
    void cboTransQTSel_GotFocus();
    void chkFreReceEquTrans_Click();

    // Encoding the edit state into gbytMatrixCode, and applying a decoded image to the window
    // (false when a run-time error ended it).
    void SetConvert();
    bool ApplyDecodedImage();

    // Frequency boxes and their checks.
    void txtReceFre_Change();
    void txtTransFre_Change();
    void txtReceFre_LostFocus();
    void txtTransFre_LostFocus();
    void DetValLegal(bool& mblnTransOrRece);
    void JudgeFreRange();

    // Channel edit commands.
    void cboChSel_Click();
    void ChannelEdit();
    void ChAccord(std::int16_t& mintChNum);
    void cmdConfirm_Click();
    void TransReceCopy(bool& mblnNoneFre);
    void lblForbidTrans_Click();
    void DeleteAllChData();
    void chkDeteChanData_Click();
    void mnuChannelData_Click();
    void mnuAllData_Click();

    // Channel grid.
    void SoftDisplay();
    void ChInfoColor();
    void txtChannel_Click(int index);
    void txtChannel_MouseDown(int index, int button, int shift, float x, float y);
    void vsbSelCH_Change();

    // Data files, the recent-file list, help and the about box.
    void NewFile();
    void OpenFile();
    void SaveFile();
    void SaveAsFile();
    void NowFileDir();
    void mnuRecentFile_Click(int Index);
    void Help();
    void mnuAboutSoft_Click();
    // The configuration file as read by the last start-up (read now if start-up has not run).
    storage::ConfigFile& Config();
    // Serial port and transfers. The front end hands over the machine's serial ports before
    // start-up; without them every port fails to open.
    void SetSerialSystem(comm::SerialSystem* system) { serialSystem_ = system; }
    // Where the cable doctor reads the system's files after a port failed to open ("/"; a test's
    // stand-in system otherwise).
    std::string systemRoot = "/";
    // COM1..COM16 and the devices they stand for (the configuration's "Ports" pins first).
    comm::PortTable MapComPorts();
    void mnuCommunicate_Click();
    void mnuReadFre_Click();
    void mnuWriteFre_Click();
    void OpenCom();
    void SolveLeadCode();
    void SendRece06H();
    void InitSendData(std::int16_t& mintSendDataCnt);
    void ReadFre();
    void WriteFre();
    void tmrCommunEnd_Timer();

    // The serial control: open only during a transfer.
    std::unique_ptr<comm::SerialLine> comCommun;
    // Why the port last failed to open, while the port dialog shows it.
    std::optional<PortOpenFailure> portOpenFailure;
    // What ended the last transfer that failed after the port opened, in a user's words.
    std::string lastTransferFailure;
    // The same failure as the protocol step gave it, kept until the next transfer starts, with
    // the direction of that transfer and a note beside it (in the interface language; empty when
    // there is nothing to add). The communication dialog shows them as its reason line.
    std::optional<comm::Failure> lastTransferFault;
    bool lastTransferWrote = false;
    std::string lastTransferNote;
    // The reason line in the interface language: empty after a transfer that went through
    // without a note.
    std::string TransferReason() const;
    // Where the toolkit calls in (an event, a user action): runs `call`; an exception that no
    // procedure expected (anything but a run-time error, which the error exits handle) closes the
    // port and is reported as a run-time error, and the program goes on. False after one.
    bool CallFromToolkit(const std::function<void()>& call);
    void HandlerFault(std::string_view reason);
    // The port dialog and the communication dialog; created on first use, alive with the window.
    FrmToolCom& ToolCom();
    FrmCommun& Commun();
    std::unique_ptr<FrmToolCom> frmToolCom;
    std::unique_ptr<FrmCommun> frmCommun;

    // Channel lists in CSV files.
    void mnuImportChannels_Click();
    void mnuExportChannels_Click();

    // Comparing the window's codeplug with the radio or a data file, and the channel sheet
    // (frm_main_review.cpp). The comparison window while it is shown.
    void mnuCompareRadio_Click();
    void mnuCompareFile_Click();
    void mnuPrintSheet_Click();
    void mnuExportSheet_Click();
    std::unique_ptr<FrmCompare> frmCompare;

    // Paths inside the program folder.
    std::string ProgramFolder() const;
    std::string ProgramFilePath(const std::string& relative) const;

    // A message box with the current title text.
    forms::MsgResult Message(const std::string& textKey, forms::MsgButtons buttons,
                             forms::MsgIcon icon);

  private:
    // Helpers of the frequency boxes: "OverFreFont" read as a Boolean, the selected model's band,
    // a box's value (a run-time error when it holds no number), snapping a box to the raster.
    bool OverFreFont() const;
    int SelectedModel() const;
    double BoxValue(const forms::TextBox& box) const;
    void SnapBox(forms::TextBox& box);
    void LenientLeave(forms::TextBox& box);
    // The file panel: the file-name prefix and gstrCurrentFile.
    void ShowCurrentFile();
    // Empties row k of the grid and of the channel table; the cleared background.
    void ClearChannelRow(int k);

    void CreateControls();
    void CreateMenus();
    void CreateToolbar();
    void WireEvents();
    bool ReadSettings(bool firstRunDone);
    // Tells the user about a configuration or tone list file that was refused.
    void ReportRefusedFiles();
    void FirstRun();
    void WriteExitSettings();
    void ReplaceListItems(forms::ComboBox& list, std::initializer_list<const char*> keys);

    // One reading per load of each file: the configuration file, and the tone list file while
    // start-up runs.
    std::unique_ptr<storage::ConfigFile> config_;
    std::unique_ptr<storage::ProfileSnapshot> toneFile_;
    // Transfers: opening the mapped device; the failure steps; closing the port; the copy of
    // every image read; the current data file a read makes sure of.
    std::optional<PortOpenFailure> OpenComLine();
    bool TransferStep(const comm::Outcome& outcome);
    void CommunFailed(bool writing);
    void ForgetTransferReason(bool writing);
    void ClosePort();
    void KeepReadBackup();
    // A read for a comparison: the image read, kept apart from the window's codeplug.
    bool readForCompare_ = false;
    std::optional<CodeplugImage> comparedRadio_;
    // The window's codeplug as it would be saved, built without touching gbytMatrixCode.
    ListSelections CurrentLists() const;
    CodeplugImage EditStateImage() const;
    // Shows the comparison; true when the user chose to open the other side.
    bool ShowComparison(const CodeplugImage& other, const std::string& otherName);
    forms::PrintedSheet CurrentSheet() const;
    // Open's effect once the file is read: the image shown, the file current and listed.
    void ShowOpenedFile(const std::string& path, const CodeplugImage& image);
    void EnsureCurrentDataFile();

    comm::SerialSystem* serialSystem_ = nullptr;
};

}  // namespace rvm46::ui
