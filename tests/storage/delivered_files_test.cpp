// Checks of the setting files delivered beside the program, read the way the program reads them.

#include <gtest/gtest.h>

#include <cstdio>
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

int Bcd(int value) {
    return value / 10 * 16 + value % 10;
}
int FromBcd(int byte) {
    return byte / 16 * 10 + byte % 16;
}

TEST(DeliveredToneFileTest, EveryToneSurvivesStoringAndReading) {
    std::string codes[205];
    for (int i = 0; i <= 204; ++i) {
        codes[i] = ProfileRead(kToneFile, "QTDQT", std::to_string(i), kMissing, 100);
    }
    EXPECT_EQ(codes[0], "0000");

    std::set<std::string> distinct;
    for (int i = 1; i <= 204; ++i) {
        const std::string& code = codes[i];
        ASSERT_EQ(code.size(), 4u) << "index " << i << ": " << code;
        ASSERT_EQ(code.find_first_not_of("0123456789"), std::string::npos) << code;
        EXPECT_TRUE(distinct.insert(code).second) << "duplicate code " << code;

        const std::string shown = ProfileRead(kToneFile, "QTDQTList", std::to_string(i), "", 100);
        EXPECT_FALSE(shown.empty()) << "index " << i;
        EXPECT_LE(shown.size(), 8u) << shown;

        // Stored as two BCD bytes, the high pair raised by 30 from index 123 on.
        const int high = std::stoi(code.substr(0, 2)) + (i >= 123 ? 30 : 0);
        const int low = std::stoi(code.substr(2, 2));
        int highValue = FromBcd(Bcd(high));
        const int lowValue = FromBcd(Bcd(low));
        ASSERT_NE(Bcd(high), 0xFF);
        ASSERT_NE(Bcd(low), 0xFF);
        if (highValue >= 120) highValue -= 30;
        char rebuilt[16];
        std::snprintf(rebuilt, sizeof rebuilt, "%02d%02d", highValue, lowValue);
        int decoded = 0;
        for (int j = 1; j <= 204 && decoded == 0; ++j) {
            if (codes[j] == rebuilt) decoded = j;
        }
        EXPECT_EQ(decoded, i) << "code " << code << " comes back as " << rebuilt;
    }
}

TEST(DeliveredToneFileTest, TonesAreInTheirRanges) {
    auto shown = [](int i) {
        return ProfileRead(kToneFile, "QTDQTList", std::to_string(i), kMissing, 100);
    };
    auto code = [](int i) {
        return ProfileRead(kToneFile, "QTDQT", std::to_string(i), kMissing, 100);
    };
    double previous = 0;
    for (int i = 1; i <= 39; ++i) {
        const double hertz = std::stod(shown(i));
        EXPECT_GT(hertz, previous) << "index " << i;
        EXPECT_EQ(std::stoi(code(i)), static_cast<int>(hertz * 10 + 0.5)) << "index " << i;
        previous = hertz;
    }
    EXPECT_EQ(shown(1), "67.0");
    EXPECT_EQ(shown(39), "250.3");
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
    auto model = [](const std::string& key) {
        return ProfileRead(kConfigFile, "Model", key, kMissing, 15);
    };
    const auto count = ParseWholeNumber(ProfileRead(kConfigFile, "Model", "ModCnt", kMissing, 2));
    ASSERT_EQ(count, 4);

    std::set<long> codes;
    for (int m = 0; m < 4; ++m) {
        EXPECT_NE(model(std::to_string(4 * m)), kMissing);
        std::size_t used = 0;
        const std::string lowText = model(std::to_string(4 * m + 1));
        const std::string highText = model(std::to_string(4 * m + 2));
        const double low = std::stod(lowText, &used);
        EXPECT_EQ(used, lowText.size()) << lowText;
        const double high = std::stod(highText, &used);
        EXPECT_EQ(used, highText.size()) << highText;
        EXPECT_LE(low, high);

        const auto code = ParseWholeNumber(model(std::to_string(4 * m + 3)));
        ASSERT_TRUE(code.has_value()) << "model " << m;
        EXPECT_TRUE(*code >= 0 && *code <= 255) << *code;
        EXPECT_TRUE(codes.insert(*code).second) << "duplicate model code " << *code;

        for (int j = 0; j < 8; ++j) {
            const auto byte = ParseWholeNumber(model(std::to_string(100 + 10 * m + j)));
            ASSERT_TRUE(byte.has_value()) << "model " << m << " byte " << j;
            EXPECT_TRUE(*byte >= 0 && *byte <= 255) << *byte;
        }
    }
}

TEST(DeliveredConfigTest, FreshInstallSettings) {
    auto setting = [](const char* key) {
        return ProfileRead(kConfigFile, "Setting", key, kMissing, 300);
    };
    EXPECT_EQ(setting("Language"), kMissing);  // the first start asks for the language
    for (const char* key : {"ColorFull", "ColorTextText", "ColorText", "ColorHint", "ColorBlack"}) {
        EXPECT_TRUE(ParseColourLiteral(setting(key)).has_value()) << key;
    }
    for (const char* key : {"ValLegal", "NotLimitedModel", "OverFreFont"}) {
        EXPECT_TRUE(ParseBoolean(setting(key)).has_value()) << key;
    }
    for (const char* key : {"COM", "Model", "FreEqual"}) {
        EXPECT_TRUE(ParseWholeNumber(setting(key)).has_value()) << key;
    }
    EXPECT_EQ(ProfileRead(kConfigFile, "Title", "ChsTitle", kMissing, 50),
              "RVM46系列对讲机编程软件 V1.0");
    for (const char* key : {"EngTitle", "ChsVer", "EngVer", "ChsRelease", "EngRelease"}) {
        EXPECT_NE(ProfileRead(kConfigFile, "Title", key, kMissing, 50), kMissing) << key;
    }
    for (const char* key : {"ToneHint", "Sql", "MoniKey", "TimeOut", "BatSave", "WideNarrow"}) {
        const std::string value = ProfileRead(kConfigFile, "Default", key, kMissing, 100);
        EXPECT_EQ(value.size(), 1u) << key;
        EXPECT_TRUE(ParseWholeNumber(value).has_value()) << key;
    }
}

}  // namespace
}  // namespace rvm46::storage
