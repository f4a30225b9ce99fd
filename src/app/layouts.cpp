// The layout tables.
#include "app/layouts.h"

#include <algorithm>

#include "ui/channel_grid.h"

namespace rvm46::app {

namespace {

constexpr int kRow = 28;      // line pitch in the settings panels
constexpr int kCellRow = 21;  // line pitch of the channel grid
constexpr int kField = 24;    // height of lists and text boxes
constexpr int kInsetX = 6;    // a frame's panel inside the frame
constexpr int kInsetTop = 20;

void Panel(std::vector<Placement>& out, const char* picture, int frame_width, int frame_height) {
    out.push_back({picture, -1, kInsetX, kInsetTop, frame_width - 2 * kInsetX,
                   frame_height - kInsetTop - kInsetX});
}

// A label and its field on one line.
void Line(std::vector<Placement>& out, const char* label, const char* field, int x, int y,
          int label_width, int field_width) {
    out.push_back({label, -1, x, y + 2, label_width, kField - 4});
    out.push_back({field, -1, x + label_width + 4, y, field_width, kField});
}

// The settings and the channel edit panel in one column on the left, the channel grid on the
// right: the whole window fits a 1366x768 screen with a desktop panel. The grid takes whatever
// room the window is given beyond that.
WindowLayout MainWindow() {
    WindowLayout l;
    auto& p = l.places;
    const int leftW = 470, inner = leftW - 2 * kInsetX;

    // Model: list and band label on one line.
    const int typeH = kRow + kInsetTop + 12;
    p.push_back({"fraTypeSel", -1, 8, 4, leftW, typeH});
    Panel(p, "picTypeSel", leftW, typeH);
    Line(p, "lblType", "cboTypeSel", 4, 2, 100, 150);
    Line(p, "lblFre", "lblFreVal", 262, 2, 90, 100);

    // Function settings in two columns of three.
    const int funcY = 4 + typeH + 4, funcH = 3 * kRow + kInsetTop + 12;
    p.push_back({"fraFuncSet", -1, 8, funcY, leftW, funcH});
    Panel(p, "picSetFunction", leftW, funcH);
    const char* funcs[][2] = {{"lblMoni", "cboMoniSel"},
                              {"lblTransTimer", "cboTransTimeSel"},
                              {"lblSql", "cboSqlSel"},
                              {"lblSavePow", "cboSavePowSel"},
                              {"lblVoiceHint", "cboVoiceHintSel"},
                              {"lblFuncScan", "cboScan"}};
    for (int i = 0; i < 3; ++i) Line(p, funcs[i][0], funcs[i][1], 4, 2 + i * kRow, 104, 138);
    for (int i = 3; i < 6; ++i) {
        Line(p, funcs[i][0], funcs[i][1], 254, 2 + (i - 3) * kRow, 100, inner - 254 - 104 - 4);
    }

    // Channel edit: two columns of label and field.
    const int editY = funcY + funcH + 4, editH = 6 * kRow + 34 + kInsetTop + 12;
    p.push_back({"fraFreSet", -1, 8, editY, leftW, editH});
    Panel(p, "picChannelEdit", leftW, editH);
    const int ax = 4, bx = 232, lw = 120, fw = 100;
    Line(p, "lblCh", "cboChSel", ax, 2, lw, fw - 20);
    p.push_back({"vsbSelCH", -1, ax + lw + 4 + fw - 18, 0, 18, kField + 4});
    Line(p, "lblWideNarrow", "cboWideNarrow", bx, 2, lw, fw);
    Line(p, "lblReceFre", "txtReceFre", ax, 2 + kRow, lw, fw);
    Line(p, "lblTransFre", "txtTransFre", bx, 2 + kRow, lw, fw);
    Line(p, "lblReceQT", "cboReceQTSel", ax, 2 + 2 * kRow, lw, fw);
    Line(p, "lblTransQT", "cboTransQTSel", bx, 2 + 2 * kRow, lw, fw);
    Line(p, "lblForbidTrans", "chkForbidTrans", ax, 2 + 3 * kRow, lw, 20);
    Line(p, "lblShift", "chkShift", bx, 2 + 3 * kRow, lw, 20);
    Line(p, "lblTransPower", "cboTransPower", ax, 2 + 4 * kRow, lw, fw);
    Line(p, "lblScan", "chkScan", bx, 2 + 4 * kRow, lw, 20);
    p.push_back({"chkFreReceEquTrans", -1, ax, 2 + 5 * kRow, 224, kField});
    p.push_back({"chkDeteChanData", -1, bx, 2 + 5 * kRow, 224, kField});
    p.push_back({"cmdConfirm", -1, bx + lw + 4, 2 + 6 * kRow + 2, fw, 28});
    const int leftH = editY + editH;

    // Channel information grid: the row numbers, then the six columns of channel data (columns
    // 7 and 8 hold no data and are never shown).
    const int gridX = 8 + leftW + 8, headH = 22;
    const int colW[] = {64, 116, 116, 100, 100, 84, 84};
    int colX[7] = {0};
    for (int c = 1; c < 7; ++c) colX[c] = colX[c - 1] + colW[c - 1] + 4;
    const int gridW = 2 * kInsetX + 8 + colX[6] + colW[6];
    const int gridH = std::max(leftH - 4, kInsetTop + headH + ui::kGridRows * kCellRow + 16);
    const auto scale = Placement::Grow::kScale;
    p.push_back({"fraFreDisplay", -1, gridX, 4, gridW, gridH, true, Placement::Grow::kFill});
    p.push_back({"picChannelInformation", -1, kInsetX, kInsetTop, gridW - 2 * kInsetX,
                 gridH - kInsetTop - kInsetX, true, Placement::Grow::kFill});
    p.push_back({"lblFreDis", -1, 4 + colX[0], 4, colW[0], headH - 4, true, scale});
    const char* heads[] = {"lblReceFreDis",     "lblTransFreDis", "lblQTDQTDecodeDis",
                           "lblQTDQTEncodeDis", "lblForbidDis",   "lblShiftDis"};
    for (int c = 1; c <= 6; ++c)
        p.push_back({heads[c - 1], -1, 4 + colX[c], 4, colW[c], headH - 4, true, scale});
    for (const char* hidden : {"lblQTDQTDis", "lblTransPowerDis", "lblScanDis"}) {
        p.push_back({hidden, -1, 0, 0, 0, 0, false});
    }
    for (int r = 0; r < ui::kGridRows; ++r) {
        const int y = 4 + headH + r * kCellRow;
        p.push_back({"lblChannel", r, 4 + colX[0], y + 2, colW[0], kCellRow - 4, true, scale});
        for (int c = 1; c <= ui::kGridColumns; ++c) {
            const bool shown = c <= 6;
            p.push_back({"txtChannel", ui::CellIndex(c, r), shown ? 4 + colX[c] : 0, y,
                         shown ? colW[c] : 0, kCellRow, shown, scale, true});
        }
    }

    l.width = gridX + gridW + 8;
    l.height = std::max(leftH, 4 + gridH) + 6;
    l.grows = true;
    l.marker_list = "cboChSel";
    l.marked_array = "lblChannel";
    return l;
}

WindowLayout LanguageWindow() {
    WindowLayout l;
    auto& p = l.places;
    p.push_back({"imgSelLang", -1, 16, 10, 268, 44});
    p.push_back({"fraSelLang", -1, 16, 60, 268, 90});
    p.push_back({"optSelCh", 0, 16, 24, 24, 24});
    p.push_back({"imgChs", -1, 44, 24, 200, 24});
    p.push_back({"optSelCh", 1, 16, 56, 24, 24});
    p.push_back({"imgEng", -1, 44, 56, 200, 24});
    p.push_back({"cmdOK", -1, 92, 160, 116, 30});
    l.width = 300;
    l.height = 202;
    return l;
}

// The about box: the program icon beside the title lines, the notice below, OK at the foot.
WindowLayout AboutWindow() {
    WindowLayout l;
    auto& p = l.places;
    p.push_back({"imgIcon", -1, 16, 16, 48, 48});
    p.push_back({"lblTitle", -1, 80, 14, 300, 22});
    p.push_back({"lblUseRange", -1, 80, 40, 300, 20});
    p.push_back({"lblVersion", -1, 80, 70, 300, 20});
    p.push_back({"lblRelease", -1, 80, 92, 300, 20});
    p.push_back({"lblDescription", -1, 16, 126, 364, 20});
    p.push_back({"lblRights", -1, 16, 148, 364, 20});
    p.push_back({"lblDisClaimer", -1, 16, 170, 364, 16});
    p.push_back({"cmdOK", -1, 290, 194, 90, 28});
    l.width = 396;
    l.height = 234;
    return l;
}

// The port dialog: COM1..COM8 and COM9..COM16 in two columns, each option with its device
// beside it; under the frame the reason a port did not open, then the buttons.
WindowLayout PortWindow() {
    WindowLayout l;
    auto& p = l.places;
    const int rowH = 26, colW = 240, optW = 76, frameW = 12 + 2 * colW, frameH = 52 + 8 * rowH;
    p.push_back({"fraToolCom", -1, 10, 8, frameW, frameH});
    p.push_back({"lblToolCom", -1, 12, 22, frameW - 24, 20});
    for (int i = 0; i < 16; ++i) {
        const int x = 12 + (i / 8) * colW, y = 46 + (i % 8) * rowH;
        p.push_back({"COM1", i, x, y, optW, 24});
        p.push_back({"lblComDevice", i, x + optW + 2, y + 2, colW - optW - 10, 20});
    }
    const int below = 8 + frameH + 8;
    // Room for the reason and a few findings of the cable doctor, each with its fix.
    const int failureH = 150;
    p.push_back({"lblPortFailure", -1, 12, below, frameW - 4, failureH});
    p.push_back({"cmdOK", -1, frameW + 10 - 2 * 100 - 8, below + failureH + 8, 100, 30});
    p.push_back({"cmdCancel", -1, frameW + 10 - 100, below + failureH + 8, 100, 30});
    l.width = frameW + 20;
    l.height = below + failureH + 8 + 30 + 10;
    return l;
}

// The communication dialog: the bar with its percentage, the button under it, and under the
// frame why the last transfer failed.
WindowLayout CommunicationWindow() {
    WindowLayout l;
    auto& p = l.places;
    p.push_back({"fraCommun", -1, 10, 8, 380, 112});
    p.push_back({"prgCommunicate", -1, 14, 28, 290, 22});
    p.push_back({"lblProgress", -1, 312, 29, 56, 20});
    p.push_back({"cmdRW", -1, 140, 66, 100, 32});
    p.push_back({"lblReason", -1, 12, 126, 376, 58});
    l.width = 400;
    l.height = 192;
    return l;
}

// The comparison window: both sides named, the count, the rows, the two buttons under them.
WindowLayout CompareWindow() {
    WindowLayout l;
    auto& p = l.places;
    const int w = 820, listH = 380;
    p.push_back({"lblSides", -1, 10, 10, w, 20});
    p.push_back({"lblSummary", -1, 10, 34, w, 20});
    p.push_back({"lvwDifferences", -1, 10, 60, w, listH});
    p.push_back({"cmdOpenOther", -1, w + 10 - 180 - 8 - 100, 60 + listH + 10, 180, 30});
    p.push_back({"cmdClose", -1, w + 10 - 100, 60 + listH + 10, 100, 30});
    l.width = w + 20;
    l.height = 60 + listH + 10 + 30 + 10;
    return l;
}

}  // namespace

const Placement* WindowLayout::Find(std::string_view name, int index) const {
    for (const Placement& place : places) {
        if (place.name == name && place.index == index) return &place;
    }
    return nullptr;
}

const WindowLayout* LayoutFor(std::string_view form_name) {
    static const WindowLayout main_window = MainWindow();
    static const WindowLayout language_window = LanguageWindow();
    static const WindowLayout about_window = AboutWindow();
    if (form_name == "frmMain") return &main_window;
    if (form_name == "frmSelLang") return &language_window;
    if (form_name == "frmAboutSoft") return &about_window;
    static const WindowLayout port_window = PortWindow();
    static const WindowLayout communication_window = CommunicationWindow();
    if (form_name == "frmToolCom") return &port_window;
    if (form_name == "frmCommun") return &communication_window;
    static const WindowLayout compare_window = CompareWindow();
    if (form_name == "frmCompare") return &compare_window;
    return nullptr;
}

}  // namespace rvm46::app
