// The tone table: loading with defaults, lookups, and the round trip of every delivered tone.
#include "model/tone_table.h"

#include <gtest/gtest.h>

#include "model/bcd.h"
#include "model/run_time_error.h"
#include "storage/tone_file.h"
#include "support/temp_dir.h"

namespace rvm46 {
namespace {

using testing::DeliveredFile;
using testing::TempDir;

TEST(ToneTableTest, LookupTakesTheLowestMatchingIndexAndIgnoresEntryZero) {
    ToneTable table;
    for (int i = 0; i <= kToneCount; ++i) table.gstrQTDQTCode[i] = std::to_string(i);
    table.gstrQTDQTCode[0] = "0000";
    table.gstrQTDQTCode[5] = "0885";
    table.gstrQTDQTCode[17] = "0885";
    EXPECT_EQ(ConverQTDQT("0885", table), 5);
    EXPECT_EQ(ConverQTDQT("0000", table), 0);
    EXPECT_EQ(ConverQTDQT("9999", table), 0);
    EXPECT_EQ(ConverQTDQT("885", table), 0);  // whole text, exact
}

TEST(ToneTableTest, LoadingGivesAMissingKeyItsOwnNumberAndCutsLongValues) {
    TempDir dir;
    ToneTable table = storage::LoadToneTable(dir / "missing.ini");
    EXPECT_EQ(table.gstrQTDQTCode[0], "0");
    EXPECT_EQ(table.gstrQTDQTCode[17], "17");
    EXPECT_EQ(table.gstrQTDQTList[204], "204");
    EXPECT_EQ(table.gstrQTDQTList[0], "");
    EXPECT_EQ(table.gstrQTDQTCode[205], "");
    // Such entries never equal a four-digit code, so every stored tone decodes to "no tone".
    EXPECT_EQ(DecodeTone(8, 85, table), 0);

    table = storage::LoadToneTable(
        dir.Write("t.ini", "[QTDQT]\n1=067012\n[QTDQTList]\n1=67.0 Hz long text\n"));
    EXPECT_EQ(table.gstrQTDQTCode[1], "0670");
    EXPECT_EQ(table.gstrQTDQTList[1], "67.0 Hz ");
}

TEST(ToneTableTest, EncodingRules) {
    ToneTable table;
    table.gstrQTDQTCode[12] = "1000";
    table.gstrQTDQTCode[123] = "9023";
    const auto bytes = [&](int tone) {
        const ToneBytes b = EncodeTone(tone, table);
        return std::pair<int, int>(b.high, b.low);
    };
    EXPECT_EQ(bytes(0), std::pair(0xFF, 0xFF));
    EXPECT_EQ(bytes(-1), std::pair(0xFF, 0xFF));
    EXPECT_EQ(bytes(12), std::pair(0x10, 0x00));
    EXPECT_EQ(bytes(123), std::pair(0xC0, 0x23));  // 90 + 30 = 120
    EXPECT_THROW(EncodeTone(206, table), RunTimeError);
    EXPECT_THROW(EncodeTone(-2, table), RunTimeError);
}

TEST(ToneTableTest, EveryDeliveredToneSurvivesEncodingAndDecoding) {
    const ToneTable table = storage::LoadToneTable(DeliveredFile("QTDQT_5100.ini"));
    for (int t = 1; t <= kToneCount; ++t) {
        const ToneBytes bytes = EncodeTone(t, table);
        ASSERT_NE(bytes.high, 0xFF) << t;
        EXPECT_EQ(DecodeTone(BcdValue(bytes.high), BcdValue(bytes.low), table), t)
            << "tone " << t << " code " << table.gstrQTDQTCode[t];
    }
    EXPECT_EQ(table.gstrQTDQTList[123], "D023I");
}

}  // namespace
}  // namespace rvm46
