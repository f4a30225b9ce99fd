// Comma-separated text as spreadsheets write it, and what is refused as not being such text.
// Channel lists in both CSV layouts: round trips, a file of the generic layout as other tools
// write it, and every way a row is refused. Lists as users have them: published lists in the
// generic layout (CRLF, every column of it, numbered from 1 or 0), placed by number or in order,
// with the rows that do not fit left out when asked; and the built-in standard lists against the
// published channel plans.
#include "storage/channel_csv.h"

#include <gtest/gtest.h>

#include "storage/csv_text.h"
#include "storage/delivered_tables.h"
#include "storage/text_file.h"
#include "support/temp_dir.h"

namespace rvm46::storage {
namespace {

using testing::DeliveredModels;
using testing::DeliveredTones;
using testing::kModel4100;
using testing::kModel4100446;

constexpr int kModel5100 = 2;  // 400-470 MHz

using Rows = std::vector<std::vector<std::string>>;

TEST(CsvTextTest, ReadsTheDialectsSpreadsheetsAndThisProgramWrite) {
    const std::vector<std::tuple<const char*, std::string, Rows>> cases = {
        {"plain LF", "a,b\n1,2\n", {{"a", "b"}, {"1", "2"}}},
        {"CRLF, no final line end", "a,b\r\n1,2", {{"a", "b"}, {"1", "2"}}},
        {"byte order mark", std::string("\xEF\xBB\xBF") + "a,b\n", {{"a", "b"}}},
        {"semicolons (a comma inside a field)", "a;b\n1,5;2\n", {{"a", "b"}, {"1,5", "2"}}},
        {"quotes, doubled quote, separator and line break inside",
         "a,b\n\"x,\"\"y\"\"\",\"two\r\nlines\"\n",
         {{"a", "b"}, {"x,\"y\"", "two\r\nlines"}}},
        {"blank before an opening quote", "a, \"b\"\n", {{"a", "b"}}},
        {"empty fields", ",,\n", {{"", "", ""}}},
        {"Chinese code page", "\xCA\xC7,\xB7\xF1\n", {{"是", "否"}}},
        {"a line this program writes",
         CsvLine({"plain", "a,b", "say \"hi\"", " padded", "x;y", ""}),
         {{"plain", "a,b", "say \"hi\"", " padded", "x;y", ""}}},
    };
    for (const auto& [name, bytes, rows] : cases) {
        std::string error;
        const auto table = ParseCsv(bytes, &error);
        ASSERT_TRUE(table) << name << ": " << error;
        EXPECT_EQ(table->rows, rows) << name;
    }
    // Rows remember the line they start on.
    const auto table = ParseCsv("h\n\"a\nb\"\nc\n", nullptr);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->lines, (std::vector<int>{1, 2, 4}));
    EXPECT_EQ(CsvLine({"1", "2"}), "1,2\r\n");
}

TEST(CsvTextTest, RefusesWhatIsNotCommaSeparatedText) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "empty"},
        {std::string("\x5A\x52\x54\x00\xFF\xFF", 6), "not a comma-separated text"},
        {"a,\"b\n1,2\n", "never closed"},
        {std::string(kMaxCsvBytes + 1, 'a'), "too large"},
    };
    for (const auto& [bytes, why] : cases) {
        std::string error;
        EXPECT_FALSE(ParseCsv(bytes, &error));
        EXPECT_NE(error.find(why), std::string::npos) << error;
    }
    // A file of exactly the limit is read, one byte more is not.
    const testing::TempDir dir;
    const std::string limit(kMaxCsvBytes, 'a');
    EXPECT_EQ(ReadTextFile(dir.Write("limit.csv", limit), kMaxCsvBytes, nullptr, 0), limit);
    std::string error;
    EXPECT_FALSE(ReadTextFile(dir.Write("over.csv", limit + "a"), kMaxCsvBytes, &error, 0));
    EXPECT_NE(error.find("too large"), std::string::npos) << error;
}

ChannelRecord Ch(double rx, double tx, double decode, double encode, double bcl = 0,
                 double shift = 0) {
    return {rx, tx, decode, encode, bcl, shift, -1, -1};
}

ChannelImport Import(const std::string& text, int model, const ImportOptions& options = {}) {
    return ImportChannelCsv(text, DeliveredModels(), model, DeliveredTones(), options);
}

std::string Messages(const std::vector<Finding>& findings) {
    std::string text;
    for (const auto& f : findings) text += Describe(f) + "\n";
    return text;
}

TEST(ChannelCsvTest, OwnLayoutRoundTripKeepsEveryField) {
    ChannelTable channels = EmptyChannelTable();
    channels[0] = Ch(433.125, 433.125, 0, 1, 0, 1);
    channels[1] = Ch(462.5, -1, 150, -1, 1, 0);
    channels[2] = Ch(400.0, 470.0, 40, 123, 1, 1);
    channels[3] = Ch(446.0, -1, 39, 204);  // no transmit frequency, yet an encode tone
    channels[15] = Ch(469.9875, 469.9875, 0, 0);
    const auto exported = ExportChannelCsv(channels, 1, CsvLayout::Own, DeliveredTones());
    EXPECT_TRUE(exported.notes.empty());
    const std::string header = "Channel,RX MHz,TX MHz,Decode,Encode,Busy Lockout,Shift\r\n";
    EXPECT_EQ(exported.text.substr(0, header.size()), header);
    EXPECT_NE(exported.text.find("\r\n2,462.50000,,D172I,,Yes,No\r\n"), std::string::npos);

    const auto imported = Import(exported.text, kModel5100);
    EXPECT_EQ(Messages(imported.errors) + Messages(imported.notes), "");
    EXPECT_EQ(imported.layout, CsvLayout::Own);
    EXPECT_EQ(imported.channels, channels);
    EXPECT_FALSE(imported.wideNarrow);

    // CTCSS tones typed as numbers, as spreadsheets rewrite them: the list's last and first.
    const auto typed = Import(header + "1,446.00625,446.00625,250.30,67,No,No\r\n", kModel4100446);
    EXPECT_EQ(Messages(typed.errors), "");
    EXPECT_EQ(typed.channels[0], Ch(446.00625, 446.00625, 39, 1));
}

TEST(ChannelCsvTest, GenericLayoutRoundTripKeepsEveryToneCombination) {
    // (decode, encode): none, Tone, TSQL, DTCS with either polarity and every cross mode.
    const std::vector<std::pair<int, int>> tones = {
        {0, 0},  {0, 1},  {1, 1},  {12, 1},  {40, 40}, {123, 40}, {122, 0},
        {0, 41}, {1, 40}, {40, 1}, {41, 40}, {9, 0},   {0, -1},   {150, -1}};
    // Values as the grid reads them back from their "000.00000" text.
    const auto raster = [](std::size_t step) {
        return std::stod(editing::FormatFrequency(446.00625 + 0.0125 * double(step)));
    };
    ChannelTable channels = EmptyChannelTable();
    for (std::size_t k = 0; k < tones.size(); ++k) {
        const auto [decode, encode] = tones[k];
        channels[k] = Ch(raster(k % 8), encode == -1 ? -1 : raster(k * 3 % 8), decode, encode);
    }
    // The layout has no busy lockout and shift columns: they read back off.
    ChannelTable withFlags = channels;
    withFlags[0][kFieldBusyLockout] = withFlags[0][kFieldShift] = 1;
    const auto exported = ExportChannelCsv(withFlags, 0, CsvLayout::Generic, DeliveredTones());
    EXPECT_TRUE(exported.notes.empty()) << Messages(exported.notes);
    EXPECT_NE(
        exported.text.find("\r\n1,,446.006250,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,"),
        std::string::npos);
    const auto imported = Import(exported.text, kModel4100446);
    EXPECT_EQ(Messages(imported.errors) + Messages(imported.notes), "");
    EXPECT_EQ(imported.layout, CsvLayout::Generic);
    EXPECT_EQ(imported.channels, channels);
    EXPECT_EQ(imported.wideNarrow, 0);
}

TEST(ChannelCsvTest, ReadsGenericFilesAsOtherToolsWriteThem) {
    auto imported = Import(
        testing::FileBytes(std::string(RVM46_SOURCE_DIR) + "/tests/data/generic_channels.csv"),
        kModel4100446);
    ASSERT_EQ(Messages(imported.errors), "");
    ChannelTable expected = EmptyChannelTable();
    expected[0] = Ch(446.00625, 446.00625, 0, 0);     // location 0: the file counts from 0
    expected[1] = Ch(446.01875, 446.01875, 0, 1);     // Tone: transmit 67.0 only
    expected[2] = Ch(446.03125, 446.03125, 12, 12);   // TSQL 97.4 both ways
    expected[3] = Ch(446.04375, 446.04375, 123, 40);  // DTCS 023, received reversed
    expected[4] = Ch(446.05625, -1, 122, -1);         // receive only, ->DTCS 754
    expected[5] = Ch(446.06875, 446.08125, 9, 123);   // split, DTCS->Tone
    expected[6] = Ch(446.05625, 446.04375, 3, 1);     // off the raster, "-" offset
    expected[7] = Ch(446.09375, 446.09375, 0, 0);     // empty columns
    EXPECT_EQ(imported.channels, expected);
    EXPECT_EQ(imported.wideNarrow, 1);
    EXPECT_EQ(Messages(imported.notes),
              "row 8, Frequency \"446.06\": snapped to 446.05625\n"
              "row 8, Duplex/Offset \"446.0475\": snapped to 446.04375\n"
              "row 11, Location \"16\": outside the radio's channels 1 to 16; row left out\n");

    // Columns are found by name in any order and case; differing modes keep the first and say so.
    imported = Import(
        "frequency;TONE;location;cToneFreq;extra;MODE\n446.03125;TSQL;3;67;x;NFM\n446.01875;;4;;;"
        "FM\n",
        kModel4100446);
    ASSERT_EQ(Messages(imported.errors), "");
    EXPECT_EQ(imported.channels[2], Ch(446.03125, 446.03125, 1, 1));
    EXPECT_EQ(imported.channels[3], Ch(446.01875, 446.01875, 0, 0));
    EXPECT_EQ(imported.wideNarrow, 1);
    EXPECT_NE(Messages(imported.notes).find("row 3, Mode \"FM\": the radio has one wide/narrow"),
              std::string::npos);
}

TEST(ChannelCsvTest, RefusesEveryBadRowWithRowColumnValueAndReason) {
    const std::string own = "Channel,RX MHz,TX MHz,Decode,Encode,Busy Lockout,Shift\n";
    const std::string generic =
        "Location,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,"
        "DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,Mode\n";
    // The start of a row for channel 1 at 446.00625 MHz.
    const std::string own1 = own + "1,446.00625,";
    const std::string generic1 = generic + "1,446.00625,";
    const std::string range = "Out of range!The valid range is ";
    const std::string huge(110, '9');
    struct Case {
        std::string text;
        std::string message;  // the start of the first error
        int model = kModel4100446;
    };
    // (A receive frequency out of range and a decode tone not in the list: the command line's test
    // RefusedImportNamesEveryBadRowAndWritesNothing.)
    const std::vector<Case> cases = {
        {own + "x,446.00625,,,,,\n", "row 2, Channel \"x\": not a channel number"},
        {own + "1,abc,,,,,\n", "row 2, RX MHz \"abc\": not a frequency in MHz"},
        {own + "1,,446.00625,,,,\n", "row 2, RX MHz \"\": a channel needs a receive frequency"},
        {own1 + "446.2,,,,\n", "row 2, TX MHz \"446.2\": " + range + "446.00625-446.09375MHz"},
        {own + "1,1e300,,,,,\n", "row 2, RX MHz \"1e300\": not a frequency in MHz", kModel4100},
        {own + "1,99999999999,,,,,\n", "row 2, RX MHz \"99999999999\": " + range + "400-470MHz",
         kModel4100},
        {own1 + "446.00625,,D999N,,\n", "row 2, Encode \"D999N\": not a tone of the tone list"},
        {own1 + ",,,Maybe,\n", "row 2, Busy Lockout \"Maybe\": must be Yes or No"},
        {own1 + ",,,,2\n", "row 2, Shift \"2\": must be Yes or No"},
        {own1 + ",,,,\n\n1,446.01875,,,,,\n",
         "row 4, Channel \"1\": channel 1 is already given in row 2"},
        {generic + "x,446.00625\n", "row 2, Location \"x\": not a location number"},
        {generic + "1,4x6\n", "row 2, Frequency \"4x6\": not a frequency in MHz"},
        {generic1 + "+,abc\n", "row 2, Offset \"abc\": not a frequency in MHz"},
        // An offset too large for any frequency was still added to the receive frequency.
        {generic1 + "-," + huge + "\n", "row 2, Offset \"" + huge + "\": not a freq"},
        {generic1 + "split," + huge + "\n", "row 2, Offset \"" + huge + "\": not a"},
        {generic1 + "dup\n", "row 2, Duplex \"dup\": must be empty, +, -, split or off"},
        {generic1 + "+,5\n", "row 2, Duplex/Offset \"451.00625\": Out of range!"},
        {generic1 + ",,DCS\n", "row 2, Tone \"DCS\": must be empty, Tone, TSQL, DTCS or Cross"},
        {generic1 + ",,Tone,high\n", "row 2, rToneFreq \"high\": not a tone frequency in Hz"},
        {generic1 + ",,TSQL,,66.6\n", "row 2, Tone \"66.6 Hz\": not a tone of the tone list"},
        {generic1 + ",,DTCS,,,089\n", "row 2, DtcsCode \"089\": not a three-digit DCS code"},
        {generic1 + ",,DTCS,,,754,RR\n", "row 2, Tone \"DCS 754 R\": not a tone of the tone list"},
        {generic1 + ",,DTCS,,,023,NX\n", "row 2, DtcsPolarity \"NX\": must be NN, NR, RN or RR"},
        {generic1 + ",,Cross,,,,,,Tone->DV\n", "row 2, CrossMode \"Tone->DV\": not a cross mode"},
        {generic1 + ",,,,,,,,,AM\n",
         "row 2, Mode \"AM\": the radio only has FM (wide) and NFM (narrow)"},
        {"Name,Freq\nx,1\n", "row 1, \"Name,Freq\": not the header of a channel list"},
        {"Channel,RX MHz,Decode\n",
         "row 1, \"Channel,RX MHz,Decode\": missing column(s) TX MHz,Encode,Busy Lockout,Shift"},
        {std::string("\x01\x02\xFF", 3), "file: the file is not a comma-separated text file"},
        {own1 + ",,,,\xE9\n",
         "file: the file is in a character encoding this program does not read; save it as UTF-8"},
        {"Location,Frequency,location\n",
         "row 1, location \"\": the column is there twice (columns 1 and 3); keep one of them"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto imported = Import(c.text, c.model);
        ASSERT_FALSE(imported.errors.empty());
        EXPECT_EQ(Describe(imported.errors[0]).substr(0, c.message.size()), c.message);
    }
}

// Published channel plans, in MHz, from runs of channels (first, spacing, count).
std::vector<double> Plan(std::initializer_list<std::tuple<double, double, int>> runs) {
    std::vector<double> mhz;
    for (const auto& [first, step, count] : runs)
        for (int n = 0; n < count; ++n) mhz.push_back(first + step * n);
    return mhz;
}
const std::vector<double> kPmr446 = Plan({{446.00625, 0.0125, 16}});
const std::vector<double> kFrs =
    Plan({{462.5625, 0.025, 7}, {467.5625, 0.025, 7}, {462.55, 0.025, 8}});

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
    const std::vector<double> first16(kFrs.begin(), kFrs.begin() + 16);
    std::vector<double> from14(13, -1);  // channels 1 to 13 empty
    from14.insert(from14.end(), {kFrs[0], kFrs[2], kFrs[3]});
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
        const auto imported = Import(PublishedList(kFrs, c.first, c.bad), c.model, options);
        EXPECT_EQ(Summary(imported), c.summary);
        for (std::size_t k = 0; k < c.channels.size(); ++k)
            EXPECT_NEAR(imported.channels[k][kFieldRx], c.channels[k], 1e-9) << "channel " << k + 1;
    }
}

// The built-in lists hold the published channels, and each model takes what it can hold exactly.
TEST(ChannelListTest, StandardListsHoldThePublishedChannels) {
    // (file, its plan, model, rows placed skipping those the model cannot hold)
    const std::vector<std::tuple<const char*, std::vector<double>, int, int>> cases = {
        {"PMR446.csv", kPmr446, kModel4100446, 8},
        {"PMR446.csv", kPmr446, kModel5100, 0},
        {"FRS.csv", kFrs, kModel5100, 16},
        {"FRS.csv", kFrs, kModel4100446, 0}};
    for (const auto& [file, plan, model, placed] : cases) {
        SCOPED_TRACE(std::string(file) + " model " + std::to_string(model));
        const std::string text =
            testing::FileBytes(std::string(RVM46_SOURCE_DIR) + "/data/Channels/" + file);
        const auto table = ParseCsv(text, nullptr);
        ASSERT_TRUE(table);
        ASSERT_EQ(table->rows.size(), plan.size() + 1);
        for (std::size_t i = 0; i < plan.size(); ++i)
            EXPECT_NEAR(std::stod(table->rows[i + 1][2]), plan[i], 1e-9) << "row " << i + 2;
        ImportOptions options;
        options.exact = true;  // a standard channel is never moved to a nearby frequency
        options.skipInvalid = true;
        const auto imported = Import(text, model, options);
        EXPECT_EQ(imported.placedRows, placed);
        for (std::size_t k = 0; k < static_cast<std::size_t>(placed); ++k)
            EXPECT_NEAR(imported.channels[k][kFieldRx], plan[k], 1e-9) << "channel " << k + 1;
    }
}

}  // namespace
}  // namespace rvm46::storage
