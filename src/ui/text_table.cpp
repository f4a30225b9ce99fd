#include "ui/text_table.h"

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <unordered_map>

namespace rvm46::ui {
namespace {

// Texts are exact: leading and trailing spaces, full-width punctuation and the "&" of an
// access key all belong to the text.
constexpr std::array kTextTable = std::to_array<TextEntry>({
    // Menu captions.
    {"mnuFile.Caption", "文件(&F)", " &File "},
    {"mnuFileNew.Caption", "新建(&N)", "&New"},
    {"mnuFileOpen.Caption", "打开(&O)", "&Open"},
    {"mnuOpenBackup.Caption", "打开备份(&B)...", "Open &Backup..."},
    {"mnuFileSave.Caption", "保存(&S)", "&Save"},
    {"mnuFileSaveAs.Caption", "另存为(&A)", "S&ave As"},
    {"mnuImportChannels.Caption", "导入信道...", "Import Channels..."},
    {"mnuExportChannels.Caption", "导出信道...", "Export Channels..."},
    {"mnuStandardChannels.Caption", "标准信道...", "Standard Channels..."},
    {"mnuCompareFile.Caption", "与文件比较...", "Compare with File..."},
    {"mnuPrintSheet.Caption", "打印...", "Print..."},
    {"mnuExportSheet.Caption", "导出信道表为PDF...", "Export Sheet as PDF..."},
    {"mnuExit.Caption", "退出(&Q)", "&Exit"},
    {"mnuProgram.Caption", "编程(&P)", "&Program"},
    {"mnuReadFre.Caption", "读频(&R)", "&Read"},
    {"mnuWriteFre.Caption", "写频(&W)", "&Write"},
    {"mnuCompareRadio.Caption", "与电台比较", "Compare with Radio"},
    {"mnuStation.Caption", "批量编程(&B)...", "Program Radios..."},
    {"mnuSet.Caption", "设置(&S)", " &Settings"},
    {"mnuCommunicate.Caption", "通信端口(&P)", "&Communication Port"},
    {"mnuLangSetting.Caption", "语言设置(&L)", "&Language Settings"},
    {"mnuLangSel0.Caption", "中文简体(&C)", "&Chinese"},
    {"mnuLangSel1.Caption", "English(&E)", "&English"},
    {"mnuAdvance.Caption", "高级选项(&D)", "A&dvanced Options"},
    {"mnuHelp.Caption", "帮助(&H)", " &Help "},
    {"mnuHelpTopic.Caption", "帮助主题(&T)", "Help &Topic"},
    {"mnuAboutSoft.Caption", "关于(&A)", "&About"},
    {"mnuAllData.Caption", "删除全部信道数据", "Delete all channels data"},

    // Captions of the main window's controls.
    {"fraTypeSel.Caption", "机型选择", "Model Select"},
    {"lblType.Caption", " 机型:", "Model Type:"},
    {"lblFre.Caption", "频段:", "Fre Range:"},
    {"fraFuncSet.Caption", "功能设置", "Function Set"},
    {"lblMoni.Caption", "监听键:", "Moni Key:"},
    {"lblTransTimer.Caption", "发射定时[秒]:", "Time Out Timer:"},
    {"lblSql.Caption", "静噪等级:", "Squelch Level:"},
    {"lblSavePow.Caption", "省电:", "Battery Save:"},
    {"lblVoiceHint.Caption", "提示音:", "Beep Tone:"},
    {"lblFuncScan.Caption", "扫描:", "Scan:"},
    {"fraFreSet.Caption", "信道编辑", "Channel Edit"},
    {"lblCh.Caption", "信道:", "Channel No:"},
    {"lblTransFre.Caption", "发射频率:", "Tx Frequency:"},
    {"lblTransQT.Caption", "QT/DQT编码:", "QT/DQT Encode:"},
    {"lblReceFre.Caption", "接收频率:", "Rx Frequency:"},
    {"lblReceQT.Caption", "QT/DQT解码:", "QT/DQT Decode:"},
    {"lblForbidTrans.Caption", "遇忙禁发:", "Busy Channel Lockout:"},
    {"lblShift.Caption", "拍频偏移:", "Shift:"},
    {"lblTransPower.Caption", "发射功率:", "Tx Power:"},
    {"lblWideNarrow.Caption", "宽/窄:", "W/N:"},
    {"lblScan.Caption", "扫描:", "Scan:"},
    {"chkFreReceEquTrans.Caption", "发射频率等于接收频率", "Tx Equal to Rx Frequency"},
    {"chkDeteChanData.Caption", "删除所有信道数据", "Clear All Channels Data"},
    {"cmdConfirm.Caption", "确定", "OK"},
    {"fraFreDisplay.Caption", "信道信息", "Channel Information"},
    {"lblFreDis.Caption", "频率", "Frequency"},
    {"lblReceFreDis.Caption", "接收频率", "RX Freq."},
    {"lblTransFreDis.Caption", "发射频率", "TX Freq."},
    {"lblQTDQTDis.Caption", "QT/DQT", "QT/DQT"},
    {"lblQTDQTEncodeDis.Caption", "QT/DQT编码", "QT/DQT Enc."},
    {"lblQTDQTDecodeDis.Caption", "QT/DQT解码", "QT/DQT Dec."},
    {"lblForbidDis.Caption", "遇忙禁发", "BCL"},
    {"lblShiftDis.Caption", "拍频偏移", "Shift"},
    {"lblTransPowerDis.Caption", "发射功率", "Tx Power"},
    {"lblScanDis.Caption", "扫描", "Scan"},

    // Tool tips of the main window's controls.
    {"lblType.ToolTipText", "选择相应机型", "Select Model"},
    {"cboTypeSel.ToolTipText", "选择相应机型", "Select Model"},
    {"lblFre.ToolTipText", "机型相应频段", "Frequency Range"},
    {"lblFreVal.ToolTipText", "机型相应频段", "Frequency Range"},
    {"lblMoni.ToolTipText", "设置监听功能", "Monitor Key Function"},
    {"lblTransTimer.ToolTipText", "设置发射定时时间", "Set Time Out Timer [s]"},
    {"lblSql.ToolTipText", "设置静噪电平级数", "Set Squelch Level"},
    {"lblSavePow.ToolTipText", "设置省电打开或关闭", "Battery Save ON/OFF"},
    {"lblVoiceHint.ToolTipText", "设置提示音打开或关闭", "Beep Tone ON/OFF"},
    {"lblFuncScan.ToolTipText", "设置扫描功能", "Scan Function"},
    {"lblCh.ToolTipText", "选择相应的信道", "Select Channel"},
    {"lblTransFre.ToolTipText", "设置对讲机发射频率", "Set Transmit Frequency"},
    {"lblTransQT.ToolTipText", "设置对讲机QT/DQT编码", "Set QT/DQT Encode"},
    {"lblReceFre.ToolTipText", "设置对讲机接收频率", "Set Receive Frequency"},
    {"lblReceQT.ToolTipText", "设置对讲机QT/DQT解码", "Set QT/DQT Decode"},
    {"lblForbidTrans.ToolTipText", "设置遇忙禁止发射打开或关闭", "Busy Channel Lockout"},
    {"lblShift.ToolTipText", "拍频偏移", "Shift"},
    {"lblTransPower.ToolTipText", "设置对讲机发射功率", "Set Transmit Power"},
    {"lblWideNarrow.ToolTipText", "设置对讲机宽带窄带", "Set Wide/Narrow"},
    {"lblScan.ToolTipText", "设置对讲机的扫描功能", "Set Scan Function"},
    {"chkFreReceEquTrans.ToolTipText", "设置发射频率等于接收频率",
     "Transmit Frequency Equal to Receive Frequency"},
    {"chkDeteChanData.ToolTipText", "删除所有信道中的数值", "Delete All Channels Data"},
    {"cmdConfirm.ToolTipText", "确定当前信道的设置", "Accept Settting"},
    {"lblFreDis.ToolTipText", "对讲机频率", "Frequency"},
    {"lblReceFreDis.ToolTipText", "对讲机接收频率", "Receive Frequency"},
    {"lblTransFreDis.ToolTipText", "对讲机发射频率", "Transmit Frequency"},
    {"lblQTDQTDis.ToolTipText", "对讲机亚音频", "Set QT/DQT"},
    {"lblQTDQTEncodeDis.ToolTipText", "对讲机QT/DQT编码", "QT/DQT Encode"},
    {"lblQTDQTDecodeDis.ToolTipText", "对讲机QT/DQT解码", "QT/DQT Decode"},
    {"lblForbidDis.ToolTipText", "遇忙禁发", "Busy Channel Lockout"},
    {"lblShiftDis.ToolTipText", "拍频偏移", "Shift"},
    {"lblTransPowerDis.ToolTipText", "对讲机的发射功率", "Transmit Power"},
    {"lblScanDis.ToolTipText", "扫描功能", "Scan Function"},

    // Tool tips of the toolbar buttons, by button key.
    {"tlbFrmMain.FileNew.ToolTipText", "新建文件", "New File"},
    {"tlbFrmMain.FileOpen.ToolTipText", "打开文件", "Open File"},
    {"tlbFrmMain.FileSave.ToolTipText", "保存文件", "Save File"},
    {"tlbFrmMain.Read.ToolTipText", "从对讲机读数据", "Read data from Radio"},
    {"tlbFrmMain.Write.ToolTipText", "向对讲机写数据", "Write data to Radio"},
    {"tlbFrmMain.Com.ToolTipText", "设置通信口", "Set Communication Port"},
    {"tlbFrmMain.Help.ToolTipText", "帮助", "Help"},
    {"tlbFrmMain.Exit.ToolTipText", "退出", "Exit"},

    // Tool tips of the status panels: 1 status, 2 port, 3 file.
    {"sbrStatus.1.ToolTipText", "提示当前状态", "Status"},
    {"sbrStatus.2.ToolTipText", "通信端口", "Communication Port"},
    {"sbrStatus.3.ToolTipText", "文件路径", "File Path"},

    // Language-dependent list items and grid cell texts.
    {"list.on", "打开", "ON"},
    {"list.off", "关闭", "OFF"},
    {"list.monitorMomentary", "瞬时监听", "Monitor Momentary"},
    {"list.monitorLock", "触发监听", "Monitor Lock"},
    {"list.squelchOffMomentary", "静噪关闭", "SQ Off Momentary"},
    {"list.timeControl", "时间控制", "Time Ctl"},
    {"list.carrierControl", "载波控制", "Carrier Ctl"},
    {"list.high", "高", "High"},
    {"list.low", "低", "Low"},
    {"list.wide", "宽", "Wide"},
    {"list.narrow", "窄", "Narrow"},
    {"list.none", "无", "None"},
    {"list.yes", "是", "Yes"},
    {"list.no", "否", "No"},

    // Status panel texts and pieces of composed texts.
    {"status.ready", "就绪", "Ready"},
    {"status.communicating", "正在通信，请稍候", "Communicating,wait a minute"},
    {"status.communicationSuccess", "通信成功", "Communication success"},
    {"status.communicationFailed", "通信失败", "Communication failed"},
    {"status.fileNamePrefix", "文件名: ", "File Name: "},
    {"status.deleteChannelPrefix", "删除信道 ", "Delete channel "},
    {"status.deleteChannelSuffix", " 的数据", " data"},

    // Message box title and prompts.
    {"msg.title", "提示", "Notice"},
    {"msg.exitQuestion", "你要退出吗?", "Are you sure want to exit?"},
    {"msg.modelChangeQuestion", "选择不同型号的机型将删除所有信道的数据，是否继续？",
     "All data will be cleared,continue？"},
    {"msg.newFileQuestion", "当前所有信道数据将被清除，是否继续？",
     "All data will be cleared,continue?"},
    {"msg.saveQuestion", "你确定要存盘吗?", "Are you sure you want to save?"},
    {"msg.deleteAllQuestion", "确定删除所有的信道数据？",
     "Are you sure delete all channels data？"},
    {"msg.wrongFileType", "错误的文件类型!", "Wrong file type!"},
    {"msg.saveFailed", "保存文件出错！", "Save file failed!"},
    {"msg.csvLayoutQuestion", "导出为其他编程软件通用的格式吗？\n选择“否”导出本软件的信道表格式。",
     "Export in the generic layout that other radio programming tools read?\n"
     "No exports this program's own channel list layout."},
    {"msg.csvReadFailed", "无法读取信道文件：", "Cannot read the channel file: "},
    {"msg.csvRefused", "信道文件有错误，没有导入任何信道：",
     "No channel was imported; the channel file has errors:"},
    {"msg.csvImported", "已从 {file} 导入 {n} 个信道。", "Channels imported from {file}: {n}."},
    {"msg.csvExported", "已将 {n} 个信道导出到 {file}。", "Channels exported to {file}: {n}."},
    {"msg.csvNotes", "请注意：", "Please note:"},
    {"msg.csvRenumberQuestion",
     "该信道表的信道号不在本机的信道 1 至 16 之内。\n是否从信道 1 开始按顺序放入各行？",
     "The channel numbers of this list lie outside the radio's channels 1 to 16.\n"
     "Place the rows in order from channel 1?"},
    {"msg.csvRowsRefused", "以下各行无法导入：", "These rows cannot be imported:"},
    {"msg.csvImportOthers", "是否导入其余的行？", "Import the other rows?"},
    {"dlg.csvFilter", "信道表(*.csv)", "Channel List(*.csv)"},
    {"dlg.openBackupTitle", "打开备份（读频记录及保存前的旧文件）",
     "Open Backup (radios read, files before they were saved over)"},
    {"msg.readBackupNotKept", "读频成功，但未能保存本次读出数据的备份：",
     "The radio was read, but no backup of it was kept: "},
    {"msg.portNotSet", "通信端口未设置，请先选择 \"设置\" -> \"通信端口\" 选择串口",
     "Failed to open port,Please set communication port first!"},
    {"msg.portOpenFailed", "打开端口失败，请选择其它端口!", "Failed to open port!"},
    {"msg.communicationError", "通信出错，请检查连线及串口的选择！",
     "Communication failed,please check commuication port!"},
    {"msg.noModelTable", "配置文件中没有机型表，无法检查频率。请使用随程序提供的配置文件：",
     "The configuration file has no model table, so no frequency can be checked. Use the "
     "configuration file delivered with the program:"},
    {"msg.fileRefused", "以下文件无法读取，将使用默认值，且程序不会改写它：",
     "This file cannot be read; the defaults are used and the program will not change it:"},

    // The port dialog and the communication dialog: captions by language.
    {"frmToolCom.Caption", "通信端口设置", "Communication Port"},
    {"fraToolCom.Caption", "设置", "Set"},
    {"lblToolCom.Caption", "通信端口", "Communication Port"},
    {"frmToolCom.cmdOK.Caption", "确定", "OK"},
    {"frmToolCom.cmdCancel.Caption", "取消", "Cancel"},
    {"frmCommun.Caption", "通信", "Communicate"},
    {"cmdRW.Read.Caption", "读(&R)", "&Read"},
    {"cmdRW.Write.Caption", "写(&W)", "&Write"},

    // What the port dialog says about each COM number and about a port that did not open.
    // %1 is the COM name, %2 the device, %3 the system's own words.
    {"port.noDevice", "无设备", "no device"},
    {"port.noDeviceTip", "没有串口设备对应 %1", "No serial device is assigned to %1"},
    {"port.failed.unassigned", "%1 没有对应的串口设备。请插好编程线，或选择编程线所在的端口。",
     "No serial device is assigned to %1. Plug in the programming cable, or choose the port it "
     "is on."},
    {"port.failed.missing", "%1（%2）不存在。请插好编程线，或选择编程线所在的端口。",
     "%1 (%2) is not there. Plug in the programming cable, or choose the port it is on."},
    {"port.failed.permission",
     "%1（%2）无法打开：没有权限，或其它程序正在使用该端口。请关闭使用该端口的其它程序，"
     "并确认当前用户可以使用串口（例如加入 dialout 组后重新登录）。",
     "%1 (%2) could not be opened: permission denied, or another program is using it. Close "
     "any other program using the port, and make sure your user may use serial ports (for "
     "example: member of the group dialout, then log in again)."},
    {"port.failed.busy", "%1（%2）正被其它程序使用。请关闭该程序后重试。",
     "%1 (%2) is in use by another program. Close that program and try again."},
    {"port.failed.other", "%1（%2）无法打开：%3", "%1 (%2) could not be opened: %3"},
    // A COM number pinned to a USB adapter that is not plugged in; %2 is the adapter's name.
    {"port.pinMissing", "%2 未插入", "%2 not plugged in"},
    {"port.pinMissingTip", "%1 固定对应编程线 %2（%3），该编程线现在未插入",
     "%1 is pinned to the adapter %2 (%3), which is not plugged in now"},
    {"port.failed.pinMissing", "%1 固定对应编程线 %2，该编程线未插入。请插好它，或选择其它端口。",
     "%1 is pinned to the adapter %2, which is not plugged in. Plug it in, or choose another "
     "port."},
    {"port.failed.found", "%1（%2）无法打开：", "%1 (%2) could not be opened:"},
    // The cable doctor's findings. %1.. as each says.
    {"doctor.noDriver",
     "%1 转换器（USB %2）已插入，但没有驱动。请加载驱动：sudo modprobe %3，再重新插线。",
     "The %1 adapter at USB %2 is plugged in, but no driver is bound to it. Load the driver: "
     "sudo modprobe %3, then plug the cable in again."},
    {"doctor.claimed",
     "%1 转换器（USB %2）被其它程序通过 %3 占用（brltty 会这样占用 CH340/CH341 编程线）。"
     "请停止该程序（sudo apt remove brltty），再重新插线。",
     "The %1 adapter at USB %2 is held by a program through %3 instead of the serial driver "
     "(brltty does this to CH340/CH341 cables). Stop it (sudo apt remove brltty), then plug the "
     "cable in again."},
    {"doctor.permission",
     "用户 %1 无权打开 %2（%3），且不在组 %4 中。解决：sudo usermod -aG %4 "
     "$USER，然后注销并重新登录。",
     "User %1 may not open %2 (%3) and is not in the group %4. Fix: sudo usermod -aG %4 $USER, "
     "then log out and in again."},
    {"doctor.ownerOnly",
     "用户 %1 无权打开 %2（%3）：只有其所有者可以使用它，需要 udev 规则把它交给某个组。",
     "User %1 may not open %2 (%3): only its owner may use it; a udev rule must give it to a "
     "group."},
    {"doctor.relogin", "用户 %1 在本次登录后才加入组 %4，无权打开 %2（%3）。请注销并重新登录。",
     "User %1 joined the group %4 after this session began and may not open %2 (%3) yet. Log "
     "out and in again."},
    {"doctor.ruleMissing", "或者安装本软件的软件包：其规则 %1 允许本机登录的用户使用编程线。",
     " Or install this program's package: its rule %1 lets the user at the seat open "
     "programming cables."},
    {"doctor.ruleIdle", "规则 %1 已安装但尚未生效：请重新插线。",
     " The rule %1 is installed but has not given you access yet: plug the cable in again."},
    {"doctor.heldBy", "%1 正被进程 %2（%3）使用。请关闭该程序。",
     "%1 is open in process %2 (%3). Close that program."},
    {"doctor.modemManager",
     "ModemManager 正在运行，可能在通信时探测 %1。请安装本软件的软件包（其规则 %2 让 ModemManager "
     "忽略编程线），或执行：sudo systemctl stop ModemManager。",
     "ModemManager is running and may probe %1 while the radio talks. Install this program's "
     "package (its rule %2 marks programming cables), or: sudo systemctl stop ModemManager."},
    {"doctor.brltty",
     "已安装 brltty，其规则（%1）把 CH340/CH341 编程线当作盲文显示器占用。请卸载 brltty"
     "（sudo apt remove brltty），再重新插线。",
     "brltty is installed with a rule (%1) that takes CH340/CH341 cables for braille displays. "
     "Remove it (sudo apt remove brltty), then plug the cable in again."},
});

std::size_t IndexOf(std::string_view key) {
    static const std::unordered_map<std::string_view, std::size_t> index = [] {
        std::unordered_map<std::string_view, std::size_t> map;
        for (std::size_t i = 0; i < kTextTable.size(); ++i) map.emplace(kTextTable[i].key, i);
        return map;
    }();
    const auto found = index.find(key);
    if (found == index.end()) {
        throw std::out_of_range("no interface text \"" + std::string(key) + "\"");
    }
    return found->second;
}

std::string_view TextIn(const TextEntry& entry, int language) {
    return language == kLanguageChinese ? entry.chinese : entry.english;
}

}  // namespace

std::span<const TextEntry> TextTableEntries() {
    return kTextTable;
}

std::string TextOf(std::span<const TextEntry> table, std::string_view key, int language,
                   std::string_view tableName) {
    for (const TextEntry& entry : table) {
        if (entry.key == key) return std::string(TextIn(entry, language));
    }
    throw std::out_of_range("no " + std::string(tableName) + " text \"" + std::string(key) + "\"");
}

InterfaceTexts::InterfaceTexts() : current_(kTextTable.size()) {}

void InterfaceTexts::SetLanguage(int gintLanguage) {
    for (std::size_t i = 0; i < kTextTable.size(); ++i) {
        current_[i] = TextIn(kTextTable[i], gintLanguage);
    }
}

const std::string& InterfaceTexts::operator[](std::string_view key) const {
    return current_[IndexOf(key)];
}

std::string InterfaceTexts::Of(std::string_view key, int language) const {
    return std::string(TextIn(kTextTable[IndexOf(key)], language));
}

}  // namespace rvm46::ui
