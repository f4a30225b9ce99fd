// Channel lists as users have them: published lists in the generic layout (CRLF, every column of
// it, numbered from 1 or 0), placed by number or in order, with the rows that do not fit left
// out when asked; and the built-in standard lists against the published channel plans.
#include <gtest/gtest.h>

#include <cmath>

#include "storage/channel_csv.h"
#include "storage/csv_text.h"
#include "storage/delivered_tables.h"

namespace rvm46::storage {
namespace {

using testing::DeliveredModels;
using testing::DeliveredTones;
using testing::kModel4100446;

constexpr int kModel5100 = 2;  // 400-470 MHz

// Published channel plans, in MHz.
std::vector<double> Pmr446() {
    std::vector<double> mhz;
    for (int n = 0; n < 16; ++n) mhz.push_back(446.00625 + 0.0125 * n);
    return mhz;
}
std::vector<double> Frs() {
    std::vector<double> mhz;
    for (int n = 0; n < 7; ++n) mhz.push_back(462.5625 + 0.025 * n);
    for (int n = 0; n < 7; ++n) mhz.push_back(467.5625 + 0.025 * n);
    for (int n = 0; n < 8; ++n) mhz.push_back(462.55 + 0.025 * n);
    return mhz;
}

// A list as the community tool publishes one: its whole column set, CRLF, numbered from `first`;
// `bad` (a 1-based position) carries a tone the radio lacks.
std::string PublishedList(const std::vector<double>& mhz, int first, int bad = 0) {
    std::string text =
        "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
        "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n";
    for (std::size_t i = 0; i < mhz.size(); ++i) {
        char frequency[32];
        std::snprintf(frequency, sizeof frequency, "%.6f", mhz[i]);
        const bool tone = static_cast<int>(i) + 1 == bad;
        text += std::to_string(first + static_cast<int>(i)) + ",CH" + std::to_string(i + 1) + "," +
                frequency + ",,0.000000," + (tone ? "Tone,69.4" : ",88.5") +
                ",88.5,023,NN,023,Tone->Tone,NFM,12.50,,2.0W,a comment,,,,\r\n";
    }
    return text;
}

// What an import did, in one line: rows placed, the first error and how many, the last note.
std::string Summary(const ChannelImport& imported) {
    std::string text = "placed " + std::to_string(imported.placedRows);
    if (!imported.errors.empty()) {
        text += "; " + std::to_string(imported.errors.size()) +
                " error(s): " + Describe(imported.errors[0]);
    }
    if (!imported.notes.empty()) text += "; last note: " + Describe(imported.notes.back());
    return text;
}

TEST(ChannelListTest, PublishedListsArePlacedOrRefusedAsUsersExpect) {
    struct Case {
        int first;  // the list's first number
        int bad;    // the position of a row with a tone the radio lacks (0: none)
        int model;
        int renumber;  // 0: by the list's numbers
        bool skip;
        std::string summary;
        std::vector<double> channels = {};  // receive frequencies from channel 1 on (-1 empty)
    };
    const auto frs = Frs();
    const std::vector<double> first16(frs.begin(), frs.begin() + 16);
    std::vector<double> from14(13, -1);  // channels 1 to 13 empty
    from14.insert(from14.end(), {frs[0], frs[2], frs[3]});
    const std::string beyond16 =
        "last note: 6 rows left out: their channel numbers (rows 18-23) are outside the radio's "
        "channels 1 to 16";
    // (A list numbered 71 to 86, placed in order or not, is imported by the command line's test
    // ImportsListsAsUsersHaveThem and the scenario csv_numbered_lists.)
    const std::vector<Case> cases = {
        {1, 0, kModel4100446, 0, true,
         "placed 0; 1 error(s): no row of the list can be imported; " + beyond16},
        {1, 0, kModel5100, 0, false, "placed 16; " + beyond16, first16},
        {0, 0, kModel5100, 0, false, "placed 16; " + beyond16, first16},
        // A refused row takes no channel: the next good row takes the next one.
        {1, 2, kModel5100, 14, true,
         "placed 3; last note: 18 rows left out: the radio has no channel after 16", from14},
        {1, 2, kModel5100, 0, false,
         "placed 15; 1 error(s): row 3, Tone \"69.4 Hz\": not a tone of the tone list; " +
             beyond16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.summary);
        ImportOptions options;
        if (c.renumber) options.renumberFrom = c.renumber;
        options.skipInvalid = c.skip;
        const auto imported =
            ImportChannelCsv(PublishedList(frs, c.first, c.bad), DeliveredModels(), c.model,
                             DeliveredTones(), options);
        EXPECT_EQ(Summary(imported), c.summary);
        for (std::size_t k = 0; k < c.channels.size(); ++k) {
            EXPECT_NEAR(imported.channels[k][kFieldRx], c.channels[k], 1e-9) << "channel " << k + 1;
        }
    }
}

// The built-in lists hold the published channels, and each model takes what it can hold exactly.
TEST(ChannelListTest, StandardListsHoldThePublishedChannels) {
    struct Case {
        const char* file;
        std::vector<double> plan;
        int model;
        int placed;  // skipping the rows the model cannot hold
    };
    const std::vector<Case> cases = {{"PMR446.csv", Pmr446(), kModel4100446, 8},
                                     {"PMR446.csv", Pmr446(), kModel5100, 0},
                                     {"FRS.csv", Frs(), kModel5100, 16},
                                     {"FRS.csv", Frs(), kModel4100446, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " model " + std::to_string(c.model));
        const std::string text =
            testing::FileBytes(std::string(RVM46_SOURCE_DIR) + "/data/Channels/" + c.file);
        const auto table = ParseCsv(text, nullptr);
        ASSERT_TRUE(table);
        ASSERT_EQ(table->rows.size(), c.plan.size() + 1);
        for (std::size_t i = 0; i < c.plan.size(); ++i) {
            EXPECT_NEAR(std::stod(table->rows[i + 1][2]), c.plan[i], 1e-9) << "row " << i + 2;
        }
        ImportOptions options;
        options.exact = true;  // a standard channel is never moved to a nearby frequency
        options.skipInvalid = true;
        const auto imported =
            ImportChannelCsv(text, DeliveredModels(), c.model, DeliveredTones(), options);
        EXPECT_EQ(imported.placedRows, c.placed);
        for (int k = 0; k < c.placed; ++k) {
            EXPECT_NEAR(imported.channels[static_cast<std::size_t>(k)][kFieldRx],
                        c.plan[static_cast<std::size_t>(k)], 1e-9);
        }
    }
}

}  // namespace
}  // namespace rvm46::storage
