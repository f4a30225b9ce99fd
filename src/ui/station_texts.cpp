#include "ui/station_texts.h"

#include <array>

#include "ui/text_table.h"

namespace rvm46::ui {

namespace {

constexpr std::array kStationTexts = std::to_array<TextEntry>({
    {"frmStation.Caption", "批量编程", "Programming Station"},
    {"fraTemplate.Caption", "模板", "Template"},
    {"lblTemplateFile", "文件：%1", "File: %1"},
    {"lblTemplateFile.none", "（未保存的当前数据）", "(the current codeplug, not saved)"},
    {"lblTemplateModel", "机型：%1", "Model: %1"},
    {"lblTemplateChannels", "已用信道：%1", "Channels in use: %1"},
    {"lblPort", "通信端口：%1", "Port: %1"},
    {"fraOptions.Caption", "选项", "Options"},
    {"optAuto.Caption", "连接对讲机后自动开始", "Start automatically when a radio is attached"},
    {"optByHand.Caption", "每台对讲机手动开始", "Start each radio by hand"},
    {"chkOtherModel.Caption", "允许写入其它机型", "Allow other models"},
    {"lblCounts", "通过：%1    失败：%2", "Passed: %1    Failed: %2"},
    {"fraRadios.Caption", "本批对讲机", "Radios of this job"},
    {"lblJob", "作业文件夹：%1", "Job folder: %1"},
    {"cmdStart.Caption", "开始(&S)", "&Start"},
    {"cmdStop.Caption", "停止 (Esc)", "Stop (Esc)"},
    {"status.ready", "按空格键或回车键开始", "Press Space or Enter to start"},
    {"status.waiting", "等待连接对讲机…", "Waiting for a radio..."},
    {"status.remove", "请取下已编程的对讲机，再连接下一台",
     "Remove the programmed radio, attach the next"},
    {"status.backup", "正在读取备份…", "Reading the backup..."},
    {"status.check", "正在检查机型…", "Checking the model..."},
    {"status.write", "正在写入…", "Writing..."},
    {"status.verify", "正在校验…", "Verifying..."},
    {"status.pass", "通过", "PASS"},
    {"status.fail", "失败：%1", "FAIL: %1"},
    {"status.otherModel", "机型不符：%1", "OTHER MODEL: %1"},
    {"status.stopped", "已停止", "Stopped"},
    {"result.pass", "通过", "PASS"},
    {"result.fail", "失败", "FAIL"},
    {"result.other-model", "机型不符", "OTHER MODEL"},
    {"msg.templateRefused", "模板有误，未对任何对讲机操作：",
     "The template is refused; no radio was touched:"},
    {"msg.portFailed", "无法打开通信端口：%1", "Cannot open the port: %1"},
    {"msg.jobFailed", "无法建立作业文件夹：%1", "Cannot create the job folder: %1"},
    {"msg.logFailed", "无法写入作业记录：%1", "Cannot write the job log: %1"},
    {"msg.lineFailed", "通信端口出错：%1", "The port failed: %1"},
});

}  // namespace

std::string StationText(std::string_view key, int language) {
    return TextOf(kStationTexts, key, language, "station");
}

std::string StationText(std::string_view key, int language, const std::string& first,
                        const std::string& second) {
    std::string text = StationText(key, language);
    for (const auto& [mark, value] : {std::pair{"%1", &first}, {"%2", &second}}) {
        if (const auto at = text.find(mark); at != std::string::npos) text.replace(at, 2, *value);
    }
    return text;
}

}  // namespace rvm46::ui
