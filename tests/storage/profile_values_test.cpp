#include "storage/profile_values.h"

#include <gtest/gtest.h>

namespace rvm46::storage {
namespace {

TEST(ProfileValuesTest, WholeNumbers) {
    EXPECT_EQ(ParseWholeNumber("12"), 12);
    EXPECT_EQ(ParseWholeNumber(" -7\t"), -7);
    EXPECT_EQ(ParseWholeNumber("+3"), 3);
    // Fractions round to the nearest whole number, halves to the even one.
    EXPECT_EQ(ParseWholeNumber("446.5"), 446);
    EXPECT_EQ(ParseWholeNumber("447.5"), 448);
    EXPECT_EQ(ParseWholeNumber("-2.5"), -2);
    EXPECT_EQ(ParseWholeNumber("2.501"), 3);
    EXPECT_EQ(ParseWholeNumber("0.4999"), 0);
    EXPECT_EQ(ParseWholeNumber(".5"), 0);
    EXPECT_EQ(ParseWholeNumber("&H1F"), 31);
    EXPECT_EQ(ParseWholeNumber("&hff&"), 255);
    EXPECT_EQ(ParseWholeNumber("&HFFFFFFFF"), -1);
    EXPECT_EQ(ParseWholeNumber("-9223372036854775808"), std::numeric_limits<long>::min());
    for (const char* bad : {"", " ", "a", "1a", "1 2", "1.2.3", "-", ".", "&H", "&H123456789",
                            "&HG", "9223372036854775808", "9223372036854775807.5"}) {
        EXPECT_EQ(ParseWholeNumber(bad), std::nullopt) << bad;
    }
}

TEST(ProfileValuesTest, Booleans) {
    EXPECT_EQ(ParseBoolean("True"), true);
    EXPECT_EQ(ParseBoolean(" fALSE "), false);
    EXPECT_EQ(ParseBoolean("0"), false);
    EXPECT_EQ(ParseBoolean("0.00"), false);
    EXPECT_EQ(ParseBoolean("-1"), true);
    EXPECT_EQ(ParseBoolean("0.4"), true);
    EXPECT_EQ(ParseBoolean("&H0"), false);
    for (const char* bad : {"", "yes", "T", "True1", "a"}) {
        EXPECT_EQ(ParseBoolean(bad), std::nullopt) << bad;
    }
}

TEST(ProfileValuesTest, ColourLiterals) {
    EXPECT_EQ(ParseColourLiteral("&HCADCEC"), 0xCADCECu);
    EXPECT_EQ(ParseColourLiteral("&h0000ff"), 0xFFu);
    EXPECT_EQ(ParseColourLiteral("&HFF&"), 0xFFu);
    EXPECT_EQ(ParseColourLiteral("&H80000005"), 0x80000005u);
    EXPECT_EQ(ParseColourLiteral("13294828"), 0xCADCECu);
    EXPECT_EQ(ParseColourLiteral("-2147483643"), 0x80000005u);
    for (const char* bad : {"", "red", "&HGG", "&H123456789", "4294967296", "#CADCEC"}) {
        EXPECT_EQ(ParseColourLiteral(bad), std::nullopt) << bad;
    }
}

}  // namespace
}  // namespace rvm46::storage
