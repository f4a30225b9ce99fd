// Checks of the setting files delivered beside the program, read the way the program reads them.
// (That every delivered tone survives encoding and decoding is checked with the tone table.)

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "storage/profile.h"
#include "storage/profile_values.h"

namespace rvm46::storage {
namespace {

const std::filesystem::path kSettingFolder =
    std::filesystem::path(RVM46_SOURCE_DIR) / "data" / "Setting";
const std::filesystem::path kToneFile = kSettingFolder / "QTDQT_5100.ini";
const std::filesystem::path kConfigFile = kSettingFolder / "Config_5100.ini";
constexpr const char* kMissing = "<missing>";

// Tones 1-39 are rising CTCSS frequencies stored in tenths, 40-122 normal DQT codes 8xxx shown
// as DxxxN, and 123-204 the same codes inverted, 9xxx shown as DxxxI.
TEST(DeliveredToneFileTest, TonesAreInTheirRanges) {
    auto shown = [](int i) {
        return ProfileRead(kToneFile, "QTDQTList", std::to_string(i), kMissing, 100);
    };
    auto code = [](int i) {
        return ProfileRead(kToneFile, "QTDQT", std::to_string(i), kMissing, 100);
    };
    EXPECT_EQ(code(0), "0000");
    double previous = 0;
    for (int i = 1; i <= 39; ++i) {
        const double hertz = std::stod(shown(i));
        EXPECT_GT(hertz, previous) << "index " << i;
        EXPECT_EQ(std::stoi(code(i)), static_cast<int>(hertz * 10 + 0.5)) << "index " << i;
        previous = hertz;
    }
    for (int i = 40; i <= 122; ++i) {
        EXPECT_EQ(code(i).front(), '8') << "index " << i;
        EXPECT_EQ(shown(i), "D" + code(i).substr(1) + "N");
        if (i > 40) {
            EXPECT_GT(code(i), code(i - 1));
        }
        if (i < 122) {
            EXPECT_EQ(code(i + 83), "9" + code(i).substr(1));
            EXPECT_EQ(shown(i + 83), "D" + code(i).substr(1) + "I");
        }
    }
}

TEST(DeliveredConfigTest, ModelTableIsComplete) {
    auto model = [](int key) {
        return ProfileRead(kConfigFile, "Model", std::to_string(key), kMissing, 15);
    };
    ASSERT_EQ(ParseWholeNumber(ProfileRead(kConfigFile, "Model", "ModCnt", kMissing, 2)), 4);
    std::set<long> codes;
    for (int m = 0; m < 4; ++m) {
        EXPECT_NE(model(4 * m), kMissing);
        EXPECT_LE(std::stod(model(4 * m + 1)), std::stod(model(4 * m + 2))) << "model " << m;
        const auto code = ParseWholeNumber(model(4 * m + 3));
        ASSERT_TRUE(code && *code >= 0 && *code <= 255) << "model " << m;
        EXPECT_TRUE(codes.insert(*code).second) << "duplicate model code " << *code;
        for (int j = 0; j < 8; ++j) {
            const auto byte = ParseWholeNumber(model(100 + 10 * m + j));
            ASSERT_TRUE(byte && *byte >= 0 && *byte <= 255) << "model " << m << " byte " << j;
        }
    }
}

TEST(DeliveredConfigTest, FreshInstallSettings) {
    auto setting = [](const char* section, const char* key) {
        return ProfileRead(kConfigFile, section, key, kMissing, 300);
    };
    EXPECT_EQ(setting("Setting", "Language"), kMissing);  // the first start asks for it
    for (const char* key : {"ColorFull", "ColorTextText", "ColorText", "ColorHint", "ColorBlack"}) {
        EXPECT_TRUE(ParseColourLiteral(setting("Setting", key))) << key;
    }
    for (const char* key : {"ValLegal", "NotLimitedModel", "OverFreFont"}) {
        EXPECT_TRUE(ParseBoolean(setting("Setting", key))) << key;
    }
    for (const char* key : {"COM", "Model", "FreEqual"}) {
        EXPECT_TRUE(ParseWholeNumber(setting("Setting", key))) << key;
    }
    for (const char* key : {"EngTitle", "ChsVer", "EngVer", "ChsRelease", "EngRelease"}) {
        EXPECT_NE(setting("Title", key), kMissing) << key;
    }
    for (const char* key : {"ToneHint", "Sql", "MoniKey", "TimeOut", "BatSave", "WideNarrow"}) {
        const std::string value = setting("Default", key);
        EXPECT_TRUE(value.size() == 1 && ParseWholeNumber(value)) << key;
    }
}

}  // namespace
}  // namespace rvm46::storage
