// Frequency arithmetic of the channel edit panel.
#include "editing/frequency.h"

#include <gtest/gtest.h>

#include "model/run_time_error.h"

namespace rvm46::editing {
namespace {

TEST(FrequencyTest, NumericTestAcceptsPlainDecimalsOnly) {
    for (const char* text : {"446", "446.", ".5", "446.00625", " 12.5 ", "-3"}) {
        EXPECT_TRUE(FrequencyValue(text).has_value()) << text;
    }
    for (const char* text : {"", ".", "-", "4a", "4e2", "446.0.1", "a"}) {
        EXPECT_FALSE(FrequencyValue(text).has_value()) << text;
    }
}

TEST(FrequencyTest, ModelBandRoundsEdgesHalfToEvenAndFixesThe446Band) {
    ModelTable models;
    models.gintModelCount = 3;
    models.gstrModel = {"A", "400", "470", "65", "B", "446", "446", "66", "C", "399.5", "446.5"};
    const Band a = ModelBand(models, 0);
    EXPECT_FALSE(a.is446);
    EXPECT_EQ(a.low, 400);
    EXPECT_EQ(a.high, 470);
    const Band b = ModelBand(models, 1);
    EXPECT_TRUE(b.is446);
    EXPECT_EQ(b.low, 446.00625);
    EXPECT_EQ(b.high, 446.09375);
    const Band c = ModelBand(models, 2);  // 399.5 -> 400, 446.5 -> 446
    EXPECT_FALSE(c.is446);
    EXPECT_EQ(c.low, 400);
    EXPECT_EQ(c.high, 446);
    EXPECT_THROW(ModelBand(models, -1), RunTimeError);
}

TEST(FrequencyTest, SnappingOnBothRastersTiesToEven) {
    const auto snapped = [](double mhz, bool offset) {
        return FormatFrequency(SnapToRaster(mhz, offset));
    };
    EXPECT_EQ(snapped(446.01, true), "446.00625");
    EXPECT_EQ(snapped(446.0125, true), "446.00625");  // exactly between two points
    EXPECT_EQ(snapped(446.025, true), "446.03125");
    EXPECT_EQ(snapped(446.1, true), "446.10625");
    EXPECT_EQ(snapped(446.095, true), "446.09375");
    EXPECT_EQ(snapped(446, true), "446.00625");
    EXPECT_EQ(snapped(433.1234, false), "433.12500");
    EXPECT_EQ(snapped(400.00625, false), "400.00000");  // tie: 32000.5 steps -> 32000
    EXPECT_EQ(snapped(400.01875, false), "400.02500");  // tie: 32001.5 steps -> 32002
    EXPECT_EQ(snapped(-5, false), "-005.00000");
}

TEST(FrequencyTest, AValueBeyondThe32BitRasterIsARunTimeError) {
    EXPECT_NO_THROW(SnapToRaster(21474.83647, false));
    EXPECT_THROW(SnapToRaster(21474.83648, false), RunTimeError);
    EXPECT_THROW(SnapToRaster(-21474.83649, false), RunTimeError);
    EXPECT_THROW(SnapToRaster(1e300, true), RunTimeError);
}

TEST(FrequencyTest, RangeMessagesInBothLanguages) {
    const Band band446{true, k446Low, k446High};
    const Band band{false, 400, 470};
    EXPECT_EQ(RangeMessage(1, true, band446, "446MHz"),
              "接收频率超出范围！有效范围为446.00625-446.09375MHz");
    EXPECT_EQ(RangeMessage(1, false, band, "400-470MHz"), "发射频率超出范围！有效范围为400-470MHz");
    EXPECT_EQ(RangeMessage(2, true, band446, "446MHz"),
              "Out of range!The valid range is 446.00625-446.09375MHz");
    EXPECT_EQ(RangeMessage(2, false, band, "400-470MHz"),
              "Out of range!The valid range is 400-470MHz");
}

TEST(FrequencyTest, ToneCellTexts) {
    EXPECT_EQ(ToneCellText(-1, "", "None"), "");
    EXPECT_EQ(ToneCellText(0, "", "无"), "无");
    EXPECT_EQ(ToneCellText(1, "67", "None"), "67.0");
    EXPECT_EQ(ToneCellText(40, "D023N", "None"), "D023N");
    EXPECT_EQ(ToneCellText(41, "25", "None"), "25");  // DQT texts stay as listed
}

}  // namespace
}  // namespace rvm46::editing
