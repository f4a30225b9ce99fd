// The rules file this package installs, read by the same parser the cable doctor uses.
#include "comm/udev_rules.h"

#include <gtest/gtest.h>

#include "comm/port_doctor.h"
#include "support/temp_dir.h"

namespace rvm46 {
namespace {

TEST(UdevRulesTest, CableRulesTagEveryChipForTheSeatAndModemManager) {
    const comm::UdevRuleFile file = comm::ParseUdevRules(
        testing::FileBytes(std::string(RVM46_SOURCE_DIR) + "/data/udev/" + comm::kCableRulesFile));
    EXPECT_TRUE(file.errors.empty()) << file.errors.front();
    // The seat rules turn the tag into access in 73-seat-late.rules.
    EXPECT_LT(std::string(comm::kCableRulesFile), "73-seat-late.rules");
    for (const comm::CableChip& chip : comm::kCableChips) {
        SCOPED_TRACE(chip.name + std::to_string(chip.product));
        int matching = 0;
        for (const comm::UdevRule& rule : file.rules) {
            if (!comm::RuleMatchesUsbId(rule, chip.vendor, chip.product)) continue;
            ++matching;
            EXPECT_TRUE(comm::RuleAssigns(rule, "TAG", "", "uaccess"));
            EXPECT_TRUE(comm::RuleAssigns(rule, "ENV", "ID_MM_DEVICE_IGNORE", "1"));
        }
        EXPECT_EQ(matching, 1);
    }
    EXPECT_FALSE(comm::RuleMatchesUsbId(file.rules[2], 0x1a86, 0x7524));
}

TEST(UdevRulesTest, SyntaxErrorsAreReportedByLine) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"ATTRS{idVendor}==\"1a86\" TAG+=\"uaccess\"", "line 1: keys must be separated by commas"},
        {"ATTRS{idVendor}==1a86", "line 1: ATTRS: value must be quoted"},
        {"# c\nATTRS{idVendor}==\"1a86\",\n", "line 2: a comma ends the line"},
        {"SUBSYSTEM!=\"tty\", GOTO=\"end\"", "line 1: GOTO \"end\" has no LABEL"},
        {"GOTO==\"end\"\nLABEL=\"end\"", "line 1: GOTO can only be assigned"},
        {"ATTRS{idVendor}=\"1a86\"", "line 1: ATTRS can only be compared (== or !=)"},
        {"TAGG+=\"uaccess\"", "line 1: unknown key \"TAGG\""},
        {"ENV+=\"x\"", "line 1: ENV needs {attribute}"},
        {"KERNEL==\"ttyUSB[0-9]\", \\\n  MODE=\"0660\"\nACTION==\"add\"\\", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto file = comm::ParseUdevRules(c.text);
        EXPECT_EQ(file.errors.empty() ? "" : file.errors.front(), c.error);
    }
}

TEST(UdevRulesTest, PatternsAndProductIds) {
    EXPECT_TRUE(comm::UdevPatternMatches("ttyUSB[0-9]*", "ttyUSB12"));
    EXPECT_FALSE(comm::UdevPatternMatches("ttyUSB[!0-9]", "ttyUSB1"));
    EXPECT_TRUE(comm::UdevPatternMatches("ttyACM*|ttyUSB?", "ttyUSB1"));
    const auto file = comm::ParseUdevRules(
        "ENV{PRODUCT}==\"1a86/7523/*\", ENV{X}=\"1\"\n"
        "ATTRS{idVendor}==\"1A86\", ATTRS{idProduct}!=\"7523\", ENV{X}=\"1\"\n");
    ASSERT_EQ(file.rules.size(), 2U);
    EXPECT_TRUE(comm::RuleMatchesUsbId(file.rules[0], 0x1a86, 0x7523));
    EXPECT_FALSE(comm::RuleMatchesUsbId(file.rules[0], 0x1a86, 0x5523));
    EXPECT_FALSE(comm::RuleMatchesUsbId(file.rules[1], 0x1a86, 0x7523));
    EXPECT_TRUE(comm::RuleMatchesUsbId(file.rules[1], 0x1a86, 0x5523));
}

}  // namespace
}  // namespace rvm46
