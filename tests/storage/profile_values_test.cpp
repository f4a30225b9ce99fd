#include "storage/profile_values.h"

#include <gtest/gtest.h>

#include <climits>

namespace rvm46::storage {
namespace {

TEST(ProfileValuesTest, WholeNumbers) {
    // Fractions round to the nearest whole number, halves to the even one.
    const std::pair<const char*, long> good[] = {
        {"12", 12},   {" -7\t", -7}, {"+3", 3}, {"446.5", 446}, {"447.5", 448}, {"-2.5", -2},
        {"2.501", 3}, {"0.4999", 0}, {".5", 0}, {"&H1F", 31},   {"&hff&", 255}, {"&HFFFFFFFF", -1}};
    EXPECT_EQ(ParseWholeNumber("-9223372036854775808"), LONG_MIN);
    for (const auto& [text, value] : good) EXPECT_EQ(ParseWholeNumber(text), value) << text;
    for (const char* bad : {"", " ", "a", "1a", "1 2", "1.2.3", "-", ".", "&H", "&H123456789",
                            "&HG", "9223372036854775808", "9223372036854775807.5"}) {
        EXPECT_EQ(ParseWholeNumber(bad), std::nullopt) << bad;
    }
}

TEST(ProfileValuesTest, Booleans) {
    const std::pair<const char*, bool> good[] = {{"True", true},  {" fALSE ", false}, {"0", false},
                                                 {"0.00", false}, {"-1", true},       {"0.4", true},
                                                 {"&H0", false}};
    for (const auto& [text, value] : good) EXPECT_EQ(ParseBoolean(text), value) << text;
    for (const char* bad : {"", "yes", "T", "True1", "a"}) {
        EXPECT_EQ(ParseBoolean(bad), std::nullopt) << bad;
    }
}

TEST(ProfileValuesTest, ColourLiterals) {
    const std::pair<const char*, std::uint32_t> good[] = {
        {"&HCADCEC", 0xCADCEC},      {"&h0000ff", 0xFF},     {"&HFF&", 0xFF},
        {"&H80000005", 0x80000005u}, {"13294828", 0xCADCEC}, {"-2147483643", 0x80000005u}};
    for (const auto& [text, value] : good) EXPECT_EQ(ParseColourLiteral(text), value) << text;
    for (const char* bad : {"", "red", "&HGG", "&H123456789", "4294967296", "#CADCEC"}) {
        EXPECT_EQ(ParseColourLiteral(bad), std::nullopt) << bad;
    }
}

}  // namespace
}  // namespace rvm46::storage
