#include "ui/review_texts.h"

#include <array>

#include "ui/text_table.h"

namespace rvm46::ui {

namespace {

constexpr auto kReviewTexts = std::to_array<TextEntry>({
    // The comparison window.
    {"compare.caption", "比较", "Compare"},
    {"compare.thisSide", "本窗口的数据", "this window's codeplug"},
    {"compare.radioOn", "%1 上的电台", "radio on %1"},
    {"compare.versus", "%1  与", "%1  compared with"},
    {"compare.noDifferences", "没有差别", "No differences"},
    {"compare.count", "%1 处差别", "%1 differences"},
    {"compare.countOne", "1 处差别", "1 difference"},
    {"compare.where", "位置", "Where"},
    {"compare.what", "项目", "What"},
    {"compare.thisColumn", "本窗口", "This window"},
    {"compare.otherColumn", "对方", "Other side"},
    {"compare.openOther", "打开对方", "Open the other side"},
    {"compare.close", "关闭", "Close"},
    {"compare.channel", "信道 %1", "Channel %1"},
    {"compare.radioWide", "整机", "Radio"},

    // Values without a setting, in both the window and the sheet.
    {"words.channel", "信道", "Channel"},
    {"words.notInUse", "未使用", "not in use"},
    {"words.noTx", "无（不发射）", "none (no TX)"},
    {"words.noSetting", "字节 %1（无设置）", "byte %1 (no setting)"},
    {"words.noModel", "机型代码 %1（无机型）", "model code %1 (no model)"},
    {"words.noChannelInUse", "无（没有使用中的信道）", "none (no channel in use)"},
    {"words.address", "地址 %1", "address %1"},
    {"words.headerByte", "文件头字节 %1", "header byte %1"},
    {"words.modelCode", "机型代码", "Model code"},

    // The channel sheet.
    {"sheet.title", "信道表", "Channel Sheet"},
    {"sheet.file", "文件", "File"},
    {"sheet.noFile", "（未保存的数据）", "(not saved)"},
    {"sheet.model", "机型", "Model"},
    {"sheet.band", "频段", "Band"},
    {"sheet.date", "日期", "Date"},
    {"sheet.number", "信道", "CH"},
    {"sheet.settings", "整机设置", "Radio-wide settings"},
    {"sheet.filter", "PDF 文件(*.pdf)", "PDF File(*.pdf)"},
    {"sheet.badName", "该文件名不能使用", "the chosen name cannot be used"},
    {"sheet.failed", "无法写入 PDF 文件：", "The PDF file could not be written: "},
});

}  // namespace

std::string ReviewText(std::string_view key, int language) {
    return TextOf(kReviewTexts, key, language, "review");
}

std::string ReviewText(std::string_view key, int language, const std::string& value) {
    std::string text = ReviewText(key, language);
    if (const auto at = text.find("%1"); at != std::string::npos) text.replace(at, 2, value);
    return text;
}

}  // namespace rvm46::ui
