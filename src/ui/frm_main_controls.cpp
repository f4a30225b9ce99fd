// The main window's controls with their design values, its menus and toolbar, and the wiring of
// every event to its handler.
#include <string>

#include "ui/frm_main.h"

namespace rvm46::ui {

using namespace forms;

FrmMain::FrmMain(Platform& platform) : Form(platform, "frmMain") {
    CreateControls();
    CreateMenus();
    CreateToolbar();
    WireEvents();
}

FrmMain::~FrmMain() = default;

void FrmMain::CreateControls() {
    // The grid: 16 rows of eight cells (columns 6 to 8 lie beyond the visible area) and the row
    // numbers 1 to 16.
    for (int r = 0; r < kGridRows; ++r) {
        lblChannel.Add(r).SetCaption(std::to_string(r + 1));
    }
    for (int c = 1; c <= kGridColumns; ++c) {
        for (int r = 0; r < kGridRows; ++r) {
            TextBox& cell = txtChannel.Add(CellIndex(c, r));
            if (c >= 7) cell.SetVisible(false);
        }
    }

    // Lists whose items are replaced by the interface texts: created with placeholder items.
    for (const char* item : {"时间控制", "载波控制"}) cboScan.AddItem(item);
    for (const char* item : {"High", "Low"}) cboTransPower.AddItem(item);
    for (const char* item : {"Wide", "Narrow"}) cboWideNarrow.AddItem(item);

    // Spinner beside the channel list: top arrow lowers, bottom arrow raises; 0 and 17 wrap.
    vsbSelCH.SetMin(0);
    vsbSelCH.SetMax(kGridRows + 1);  // 0 and the maximum wrap around
    vsbSelCH.SetSmallChange(1);

    tmrCommunEnd.SetInterval(3000);
    tmrCommunEnd.SetEnabled(false);

    sbrStatus.SetPanelText(1, "");
}

void FrmMain::CreateMenus() {
    for (MenuItem* separator : {&ListSeparator01, &ListSeparator04, &mnuSetSep, &mnuAdvanceSep,
                                &mnuHelpSep, &mnuDelSep}) {
        separator->SetCaption("-");
    }
    mnuFileNew.SetShortcut("Ctrl+N");
    mnuFileOpen.SetShortcut("Ctrl+O");
    mnuFileSave.SetShortcut("Ctrl+S");
    mnuReadFre.SetShortcut("Ctrl+R");
    mnuWriteFre.SetShortcut("Ctrl+W");
    mnuHelpTopic.SetShortcut("F1");
    for (int i = 0; i < 10; ++i) mnuRecentFile.Add(i).SetVisible(false);
    ListSeparator04.SetVisible(false);
    mnuAdvanceSep.SetVisible(false);
    mnuAdvance.SetVisible(false);
    mnuDelAllData.SetVisible(false);  // only ever shown as the grid's pop-up menu
}

void FrmMain::CreateToolbar() {
    // New | Open, Save | Read, Write | Port | Help | Exit, with a separator before each group.
    tlbFrmMain.AddSeparator();
    tlbFrmMain.AddButton("FileNew", {}, "document-new");
    tlbFrmMain.AddSeparator();
    tlbFrmMain.AddButton("FileOpen", {}, "document-open");
    tlbFrmMain.AddButton("FileSave", {}, "document-save");
    tlbFrmMain.AddSeparator();
    tlbFrmMain.AddButton("Read", {}, "radio-read");
    tlbFrmMain.AddButton("Write", {}, "radio-write");
    tlbFrmMain.AddSeparator();
    tlbFrmMain.AddButton("Com", {}, "serial-port");
    tlbFrmMain.AddSeparator();
    tlbFrmMain.AddButton("Help", {}, "help-contents");
    tlbFrmMain.AddSeparator();
    tlbFrmMain.AddButton("Exit", {}, "application-exit");
}

void FrmMain::WireEvents() {
    FormLoad = [this] { Form_Load(); };
    FormQueryUnload = [this](bool& cancel, UnloadMode mode) { Form_QueryUnload(cancel, mode); };
    cboTypeSel.Click = [this] { cboTypeSel_Click(); };
    cboReceQTSel.GotFocus = [this] { cboReceQTSel_GotFocus(); };
    cboTransQTSel.GotFocus = [this] { cboTransQTSel_GotFocus(); };
    chkFreReceEquTrans.Click = [this] { chkFreReceEquTrans_Click(); };
    txtReceFre.Change = [this] { txtReceFre_Change(); };
    txtTransFre.Change = [this] { txtTransFre_Change(); };
    txtReceFre.LostFocus = [this] { txtReceFre_LostFocus(); };
    txtTransFre.LostFocus = [this] { txtTransFre_LostFocus(); };
    cboChSel.Click = [this] { cboChSel_Click(); };
    cmdConfirm.Click = [this] { cmdConfirm_Click(); };
    lblForbidTrans.Click = [this] { lblForbidTrans_Click(); };
    chkDeteChanData.Click = [this] { chkDeteChanData_Click(); };
    mnuChannelData.Click = [this] { mnuChannelData_Click(); };
    mnuAllData.Click = [this] { mnuAllData_Click(); };
    txtChannel.On(&TextBox::Click, [this](int index) { txtChannel_Click(index); });
    txtChannel.On(&TextBox::MouseDown, [this](int index, int button, int shift, float x, float y) {
        txtChannel_MouseDown(index, button, shift, x, y);
    });
    vsbSelCH.Change = [this] { vsbSelCH_Change(); };
    mnuFileNew.Click = [this] { NewFile(); };
    mnuFileOpen.Click = [this] { OpenFile(); };
    mnuFileSave.Click = [this] { SaveFile(); };
    mnuFileSaveAs.Click = [this] { SaveAsFile(); };
    mnuRecentFile.On(&MenuItem::Click, [this](int index) { mnuRecentFile_Click(index); });
    mnuHelpTopic.Click = [this] { Help(); };
    mnuAboutSoft.Click = [this] { mnuAboutSoft_Click(); };
    mnuImportChannels.Click = [this] { mnuImportChannels_Click(); };
    mnuExportChannels.Click = [this] { mnuExportChannels_Click(); };
    mnuCompareFile.Click = [this] { mnuCompareFile_Click(); };
    mnuPrintSheet.Click = [this] { mnuPrintSheet_Click(); };
    mnuExportSheet.Click = [this] { mnuExportSheet_Click(); };
    mnuCompareRadio.Click = [this] { mnuCompareRadio_Click(); };
    mnuExit.Click = [this] { mnuExit_Click(); };
    mnuLangSel0.Click = [this] { mnuLangSel0_Click(); };
    mnuLangSel1.Click = [this] { mnuLangSel1_Click(); };
    tlbFrmMain.ButtonClick = [this](const std::string& key) { tlbFrmMain_ButtonClick(key); };
    mnuCommunicate.Click = [this] { mnuCommunicate_Click(); };
    mnuReadFre.Click = [this] { mnuReadFre_Click(); };
    mnuWriteFre.Click = [this] { mnuWriteFre_Click(); };
    tmrCommunEnd.TimerEvent = [this] { tmrCommunEnd_Timer(); };
}

}  // namespace rvm46::ui
