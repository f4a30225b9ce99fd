// Frequency and BCD conversions: the documented examples, and an exhaustive comparison of the
// short computation with the digit-pair procedure the radios' files were made with.
#include "model/frequency_codec.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "model/arithmetic.h"
#include "model/bcd.h"
#include "model/run_time_error.h"

namespace rvm46 {
namespace {

std::string Hex(const FrequencyBytes& b) {
    char text[16];
    std::snprintf(text, sizeof text, "%02X %02X %02X %02X", b[0], b[1], b[2], b[3]);
    return text;
}

double ReadBack(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return std::strtod(text, nullptr);
}

// The digit-pair procedure step by step: nearest whole N, top pair, remainder formatted with five
// decimals and read back, then the middle and low pairs through "0000".
FrequencyBytes DigitPairProcedure(double f) {
    if (!(f >= 100 && f < 999)) f = 100;
    const std::int64_t n = RoundHalfEven(f * 100000);
    const std::int64_t p3 = n / 1000000;
    const double r1 = ReadBack("%.5f", f - 10.0 * static_cast<double>(p3));
    const std::int64_t p2 = RoundHalfEven(r1 * 100000) / 10000;
    const auto r2 =
        static_cast<std::int64_t>(ReadBack("%.0f", (r1 * 10 - static_cast<double>(p2)) * 10000));
    const std::int64_t p1 = r2 / 100;
    const std::int64_t p0 = r2 - 100 * p1;
    return {BcdByte(static_cast<int>(p0)), BcdByte(static_cast<int>(p1)),
            BcdByte(static_cast<int>(p2)), BcdByte(static_cast<int>(p3))};
}

std::array<std::uint8_t, 4> Decimal(const FrequencyBytes& b) {
    return {BcdValue(b[0]), BcdValue(b[1]), BcdValue(b[2]), BcdValue(b[3])};
}

TEST(BcdTest, PairsAndTheirInverse) {
    const auto converted = [](void (*convert)(std::int16_t&), std::int16_t v) {
        convert(v);
        return v;
    };
    EXPECT_EQ(converted(Convert16H, 67), 0x67);
    EXPECT_EQ(converted(Convert16H, 120), 0xC0);
    EXPECT_EQ(converted(Convert10D, 0xFF), 165);
    for (int value = 0; value <= 159; ++value) {
        EXPECT_EQ(BcdValue(BcdByte(value)), value) << value;
    }
    EXPECT_THROW(BcdByte(-5), RunTimeError);  // a negative pair does not fit a byte
}

TEST(ArithmeticTest, RoundsHalvesToEven) {
    EXPECT_EQ(RoundHalfEven(446.5), 446);
    EXPECT_EQ(RoundHalfEven(447.5), 448);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_THROW(RoundHalfEven(1e30), RunTimeError);
    EXPECT_THROW(RoundToInteger(40000), RunTimeError);
    EXPECT_EQ(ToByte(255), 255);
    EXPECT_THROW(ToByte(256), RunTimeError);
}

TEST(ArithmeticTest, NumericReads) {
    EXPECT_EQ(LeadingNumber("  12ab"), 12);
    EXPECT_EQ(LeadingNumber("ab"), 0);
    EXPECT_EQ(StrictNumber(" 446.5 "), 446.5);
    EXPECT_FALSE(StrictNumber("x").has_value());
    EXPECT_FALSE(StrictNumber("").has_value());
    EXPECT_FALSE(StrictNumber("12a").has_value());
    EXPECT_EQ(FormatFixed(6.5, 3, 5), "006.50000");
    EXPECT_EQ(FormatFixed(446.00625, 3, 5), "446.00625");
}

TEST(FrequencyCodecTest, DocumentedExamples) {
    EXPECT_EQ(Hex(EncodeFrequency(446.00625)), "25 06 60 44");
    EXPECT_EQ(Hex(EncodeFrequency(446.09375)), "75 93 60 44");
    for (const double outside : {1000.0, 50.0, 999.0, std::nan("")}) {
        EXPECT_EQ(Hex(EncodeFrequency(outside)), "00 00 00 10") << outside;
    }
    EXPECT_EQ(DecodeFrequency({25, 6, 60, 44}), 446.00625);
}

// Every point of the 12.5 kHz raster from 100 to 999 MHz and of the 446 MHz offset raster gives
// the same bytes by both computations and decodes back to the same number.
TEST(FrequencyCodecTest, EveryRasterPointMatchesTheDigitPairProcedure) {
    int checked = 0;
    const auto check = [&](double f) {
        const FrequencyBytes bytes = EncodeFrequency(f);
        ASSERT_EQ(Hex(bytes), Hex(DigitPairProcedure(f))) << f;
        ASSERT_EQ(DecodeFrequency(Decimal(bytes)), ReadBack("%.5f", f)) << f;
        ++checked;
    };
    for (std::int64_t step = 8000; step < 79920; ++step) check(static_cast<double>(step) * 0.0125);
    for (int step = 0; step < 8; ++step) check(446.00625 + 0.0125 * step);
    EXPECT_EQ(checked, 71928);
}

TEST(FrequencyCodecTest, FiveDecimalValuesAreStoredAsTheirDigits) {
    for (double f : {400.00001, 469.99999, 123.45678, 998.99999}) {
        EXPECT_EQ(Hex(EncodeFrequency(f)), Hex(DigitPairProcedure(f))) << f;
        EXPECT_EQ(DecodeFrequency(Decimal(EncodeFrequency(f))), f) << f;
    }
}

}  // namespace
}  // namespace rvm46
