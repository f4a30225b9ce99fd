// Every kind of difference worded as the comparison window shows it, in both languages.
#include "ui/codeplug_words.h"

#include <gtest/gtest.h>

#include "model/codeplug_layout.h"
#include "storage/codeplug_document.h"
#include "storage/delivered_tables.h"
#include "ui/text_table.h"

namespace rvm46::ui {
namespace {

using testing::DeliveredModels;
using testing::DeliveredTones;

CodeplugImage Encode(const storage::CodeplugDocument& document) {
    return *storage::EncodeDocument(document, DeliveredModels(), DeliveredTones(), nullptr);
}

TEST(CodeplugWordsTest, EveryFieldKindInBothLanguages) {
    storage::CodeplugDocument a;
    // Beep, battery save, squelch, monitor key, time-out, wide/narrow, model.
    a.lists = {0, 0, 6, 0, 0, 0, testing::kModel4100};
    a.channels[0] = {446.00625, 446.00625, 1, 0, 0, 0, -1, -1};
    a.channels[2] = {433.125, -1, 40, -1, 1, 1, -1, -1};
    storage::CodeplugDocument b = a;
    b.lists = {1, 1, 2, 2, 4, 1, testing::kModel4100};
    b.channels[0] = {446.0125, -1, 40, -1, 1, 1, -1, -1};
    b.channels[2][kFieldRx] = -1;
    CodeplugImage imageA = Encode(a);
    CodeplugImage imageB = Encode(b);
    imageB[layout::kHeaderSize + 0x3E0] = 0x12;
    const auto differences =
        storage::CompareImages(imageA, imageB, DeliveredModels(), DeliveredTones());

    struct Expected {
        CompareRow english;
        CompareRow chinese;
    };
    const std::vector<Expected> expected = {
        {{"Channel 1", "RX Freq.", "446.00625", "446.01250"},
         {"信道 1", "接收频率", "446.00625", "446.01250"}},
        {{"Channel 1", "TX Freq.", "446.00625", "none (no TX)"},
         {"信道 1", "发射频率", "446.00625", "无（不发射）"}},
        {{"Channel 1", "QT/DQT Dec.", "67.0", "D023N"}, {"信道 1", "QT/DQT解码", "67.0", "D023N"}},
        {{"Channel 1", "QT/DQT Enc.", "None", "none (no TX)"},
         {"信道 1", "QT/DQT编码", "无", "无（不发射）"}},
        {{"Channel 1", "BCL", "No", "Yes"}, {"信道 1", "遇忙禁发", "否", "是"}},
        {{"Channel 1", "Shift", "No", "Yes"}, {"信道 1", "拍频偏移", "否", "是"}},
        {{"Channel 3", "Channel",
          "RX Freq. 433.12500, TX Freq. none (no TX), QT/DQT Dec. D023N, QT/DQT Enc. none (no "
          "TX), BCL Yes, Shift Yes",
          "not in use"},
         {"信道 3", "信道",
          "接收频率 433.12500, 发射频率 无（不发射）, QT/DQT解码 D023N, QT/DQT编码 无（不发射）, "
          "遇忙禁发 是, 拍频偏移 是",
          "未使用"}},
        {{"Radio", "Beep Tone", "ON", "OFF"}, {"整机", "提示音", "打开", "关闭"}},
        {{"Radio", "Battery Save", "ON", "OFF"}, {"整机", "省电", "打开", "关闭"}},
        {{"Radio", "Squelch Level", "6", "2"}, {"整机", "静噪等级", "6", "2"}},
        {{"Radio", "Moni Key", "OFF", "Monitor Lock"}, {"整机", "监听键", "关闭", "触发监听"}},
        {{"Radio", "Time Out Timer", "OFF", "120"}, {"整机", "发射定时[秒]", "关闭", "120"}},
        {{"Radio", "W/N", "Wide", "Narrow"}, {"整机", "宽/窄", "宽", "窄"}},
        {{"Radio", "address 3E0h", "FFh", "12h"}, {"整机", "地址 3E0h", "FFh", "12h"}},
    };
    const auto text = [](const CompareRow& r) {
        return r.where + " | " + r.what + " | " + r.thisSide + " | " + r.otherSide;
    };
    for (const int language : {kLanguageEnglish, kLanguageChinese}) {
        const auto rows = CompareRows(differences, {DeliveredModels(), DeliveredTones(), language});
        ASSERT_EQ(rows.size(), expected.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const CompareRow& want =
                language == kLanguageEnglish ? expected[i].english : expected[i].chinese;
            EXPECT_EQ(text(rows[i]), text(want)) << language;
        }
    }

    // Bytes that are no setting, and an unknown model, are named.
    imageB = imageA;
    imageB[layout::kSquelch] = 0xFF;
    imageB[layout::kModelCodeAt] = 0x07;
    const auto odd =
        CompareRows(storage::CompareImages(imageA, imageB, DeliveredModels(), DeliveredTones()),
                    {DeliveredModels(), DeliveredTones(), kLanguageChinese});
    ASSERT_EQ(odd.size(), 2u);
    EXPECT_EQ(odd[0].otherSide, "机型代码 7（无机型）");
    EXPECT_EQ(odd[1].otherSide, "字节 FFh（无设置）");
}

}  // namespace
}  // namespace rvm46::ui
