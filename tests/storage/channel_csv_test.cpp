// Channel lists in both CSV layouts: round trips, a file of the generic layout as other tools
// write it, and every way a row is refused.
#include "storage/channel_csv.h"

#include <gtest/gtest.h>

#include "storage/delivered_tables.h"

namespace rvm46::storage {
namespace {

using testing::DeliveredModels;
using testing::DeliveredTones;
using testing::kModel4100;
using testing::kModel4100446;

constexpr int kModel5100 = 2;  // 400-470 MHz

ChannelRecord Ch(double rx, double tx, double decode, double encode, double bcl = 0,
                 double shift = 0) {
    return {rx, tx, decode, encode, bcl, shift, -1, -1};
}

ChannelImport Import(const std::string& text, int model) {
    return ImportChannelCsv(text, DeliveredModels(), model, DeliveredTones());
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
    ChannelTable channels = EmptyChannelTable();
    for (std::size_t k = 0; k < tones.size(); ++k) {
        const auto [decode, encode] = tones[k];
        // Values as the grid reads them back from their "000.00000" text.
        const auto raster = [](std::size_t step) {
            return std::stod(editing::FormatFrequency(446.00625 + 0.0125 * double(step)));
        };
        const double rx = raster(k % 8);
        const double tx = raster(k * 3 % 8);
        channels[k] = Ch(rx, encode == -1 ? -1 : tx, decode, encode);
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

TEST(ChannelCsvTest, ReadsAGenericFileAsOtherToolsWriteIt) {
    const auto imported = Import(
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
}

// Columns are found by name in any order and case; differing modes keep the first and say so.
TEST(ChannelCsvTest, ReadsColumnsByNameAndOneMode) {
    const auto imported = Import(
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

}  // namespace
}  // namespace rvm46::storage
