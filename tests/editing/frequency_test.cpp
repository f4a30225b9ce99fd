// Frequency arithmetic of the channel edit panel.
#include "editing/frequency.h"

#include <gtest/gtest.h>

#include "model/run_time_error.h"

namespace rvm46::editing {
namespace {

TEST(FrequencyTest, NumericTestAcceptsPlainDecimalsOnly) {
    for (const char* text : {"446", "446.", ".5", "446.00625", " 12.5 ", "-3"})
        EXPECT_TRUE(FrequencyValue(text).has_value()) << text;
    for (const char* text : {"", ".", "-", "4a", "4e2", "446.0.1", "a"})
        EXPECT_FALSE(FrequencyValue(text).has_value()) << text;
}

TEST(FrequencyTest, ModelBandRoundsEdgesHalfToEvenAndFixesThe446Band) {
    ModelTable models;
    models.gintModelCount = 3;
    models.gstrModel = {"A", "400", "470", "65", "B", "446", "446", "66", "C", "399.5", "446.5"};
    const auto band = [&](int m) {
        const Band b = ModelBand(models, m);
        return std::tuple(b.is446, b.low, b.high);
    };
    EXPECT_EQ(band(0), std::tuple(false, 400.0, 470.0));
    EXPECT_EQ(band(1), std::tuple(true, 446.00625, 446.09375));
    EXPECT_EQ(band(2), std::tuple(false, 400.0, 446.0));  // 399.5 -> 400, 446.5 -> 446
    EXPECT_THROW(ModelBand(models, -1), RunTimeError);
}

TEST(FrequencyTest, SnappingOnBothRastersTiesToEvenWithinThe32BitRaster) {
    // (MHz, on the 446 MHz offset raster, snapped text)
    for (const auto& [mhz, offset, snapped] :
         {std::tuple{446.01, true, "446.00625"},
          {446.0125, true, "446.00625"},  // exactly between two points
          {446.025, true, "446.03125"},
          {446.1, true, "446.10625"},
          {446, true, "446.00625"},
          {433.1234, false, "433.12500"},
          {400.00625, false, "400.00000"},  // tie: 32000.5 steps -> 32000
          {400.01875, false, "400.02500"},  // tie: 32001.5 steps -> 32002
          {-5, false, "-005.00000"}})
        EXPECT_EQ(FormatFrequency(SnapToRaster(mhz, offset)), snapped) << mhz;
    // A value beyond the 32-bit raster is a run-time error.
    EXPECT_NO_THROW(SnapToRaster(21474.83647, false));
    EXPECT_THROW(SnapToRaster(21474.83648, false), RunTimeError);
    EXPECT_THROW(SnapToRaster(-21474.83649, false), RunTimeError);
    EXPECT_THROW(SnapToRaster(1e300, true), RunTimeError);
}

// (No tone, "", and tone 0, the none text in either language: the channel list's export and the
// comparison's words, ChannelCsvTest and CodeplugWordsTest.)
TEST(FrequencyTest, ToneCellTexts) {
    EXPECT_EQ(ToneCellText(1, "67", "None"), "67.0");
    EXPECT_EQ(ToneCellText(41, "25", "None"), "25");  // DQT texts stay as listed
}

}  // namespace
}  // namespace rvm46::editing
