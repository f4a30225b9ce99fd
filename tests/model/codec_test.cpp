// Frequency and BCD conversions: the documented examples, and an exhaustive comparison of the
// short computation with the digit-pair procedure the radios' files were made with. The tone
// table: loading with defaults, lookups and the encoding rules. Encoding the edit state into the
// codeplug image and decoding it back, every delivered tone's round trip among it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "model/arithmetic.h"
#include "model/bcd.h"
#include "model/frequency_codec.h"
#include "model/image_codec.h"
#include "model/run_time_error.h"
#include "model/tone_table.h"
#include "storage/tone_file.h"
#include "support/temp_dir.h"

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

TEST(ArithmeticTest, BcdPairsRoundingAndNumbers) {
    const auto converted = [](void (*convert)(std::int16_t&), std::int16_t v) {
        convert(v);
        return v;
    };
    EXPECT_EQ(converted(Convert16H, 67), 0x67);
    EXPECT_EQ(converted(Convert16H, 120), 0xC0);
    EXPECT_EQ(converted(Convert10D, 0xFF), 165);
    for (int value = 0; value <= 159; ++value) EXPECT_EQ(BcdValue(BcdByte(value)), value) << value;
    EXPECT_THROW(BcdByte(-5), RunTimeError);  // a negative pair does not fit a byte
    // Rounding and numbers.
    // (Halves of either parity: the band edges and raster ties of FrequencyTest.)
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_THROW(RoundHalfEven(1e30), RunTimeError);
    EXPECT_THROW(RoundToInteger(40000), RunTimeError);
    EXPECT_EQ(ToByte(255), 255);
    EXPECT_THROW(ToByte(256), RunTimeError);
    EXPECT_EQ(LeadingNumber("  12ab"), 12);
    EXPECT_EQ(LeadingNumber("ab"), 0);
    // (What is refused, and five decimals: FrequencyTest's numeric test and raster table.)
    EXPECT_EQ(StrictNumber(" 446.5 "), 446.5);
    EXPECT_EQ(FormatFixed(6.5, 3, 5), "006.50000");
}

// Every point of the 12.5 kHz raster from 100 to 999 MHz and of the 446 MHz offset raster, and
// values of five decimals, give the same bytes by both computations and decode back the same.
TEST(FrequencyCodecTest, DocumentedExamplesAndEveryRasterPointAsTheDigitPairProcedure) {
    EXPECT_EQ(Hex(EncodeFrequency(446.00625)), "25 06 60 44");
    EXPECT_EQ(Hex(EncodeFrequency(446.09375)), "75 93 60 44");
    for (const double outside : {1000.0, 50.0, 999.0, std::nan("")})
        EXPECT_EQ(Hex(EncodeFrequency(outside)), "00 00 00 10") << outside;
    EXPECT_EQ(DecodeFrequency({25, 6, 60, 44}), 446.00625);
    int checked = 0;
    const auto check = [&](double f) {
        const FrequencyBytes bytes = EncodeFrequency(f);
        ASSERT_EQ(Hex(bytes), Hex(DigitPairProcedure(f))) << f;
        ASSERT_EQ(DecodeFrequency(Decimal(bytes)), ReadBack("%.5f", f)) << f;
        ++checked;
    };
    for (std::int64_t step = 8000; step < 79920; ++step) check(static_cast<double>(step) * 0.0125);
    for (int step = 0; step < 8; ++step) check(446.00625 + 0.0125 * step);
    for (const double f : {400.00001, 469.99999, 123.45678, 998.99999}) check(f);
    EXPECT_EQ(checked, 71932);
}

// Lookup takes the lowest matching index and ignores entry 0; encoding splits the code in pairs.
TEST(ToneTableTest, LookupAndEncodingRules) {
    ToneTable table;
    for (int i = 0; i <= kToneCount; ++i) table.gstrQTDQTCode[i] = std::to_string(i);
    table.gstrQTDQTCode[0] = "0000";
    table.gstrQTDQTCode[5] = "0885";
    table.gstrQTDQTCode[17] = "0885";
    EXPECT_EQ(ConverQTDQT("0885", table), 5);
    EXPECT_EQ(ConverQTDQT("0000", table), 0);
    EXPECT_EQ(ConverQTDQT("9999", table), 0);
    EXPECT_EQ(ConverQTDQT("885", table), 0);  // whole text, exact

    table.gstrQTDQTCode[12] = "1000";
    table.gstrQTDQTCode[123] = "9023";
    const auto bytes = [&](int tone) {
        const ToneBytes b = EncodeTone(tone, table);
        return std::pair<int, int>(b.high, b.low);
    };
    EXPECT_EQ(bytes(0), std::pair(0xFF, 0xFF));
    EXPECT_EQ(bytes(-1), std::pair(0xFF, 0xFF));
    EXPECT_EQ(bytes(12), std::pair(0x10, 0x00));
    EXPECT_EQ(bytes(123), std::pair(0xC0, 0x23));  // 90 + 30 = 120
    EXPECT_THROW(EncodeTone(206, table), RunTimeError);
    EXPECT_THROW(EncodeTone(-2, table), RunTimeError);
}

TEST(ToneTableTest, LoadingGivesAMissingKeyItsOwnNumberAndCutsLongValues) {
    testing::TempDir dir;
    ToneTable table = storage::LoadToneTable(dir / "missing.ini");
    EXPECT_EQ(table.gstrQTDQTCode[0], "0");
    EXPECT_EQ(table.gstrQTDQTCode[17], "17");
    EXPECT_EQ(table.gstrQTDQTList[204], "204");
    EXPECT_EQ(table.gstrQTDQTList[0], "");
    EXPECT_EQ(table.gstrQTDQTCode[205], "");
    // Such entries never equal a four-digit code, so every stored tone decodes to "no tone".
    EXPECT_EQ(DecodeTone(8, 85, table), 0);

    table = storage::LoadToneTable(
        dir.Write("t.ini", "[QTDQT]\n1=067012\n[QTDQTList]\n1=67.0 Hz long text\n"));
    EXPECT_EQ(table.gstrQTDQTCode[1], "0670");
    EXPECT_EQ(table.gstrQTDQTList[1], "67.0 Hz ");
}

using namespace layout;

class ImageCodecTest : public ::testing::Test {
  protected:
    void SetUp() override {
        tones_ = storage::LoadToneTable(testing::DeliveredFile("QTDQT_5100.ini"));
        models_.gintModelCount = 2;
        models_.gstrModel = {"4100", "400", "470", "65", "5100", "446", "446", "82"};
        for (int j = 0; j < 8; ++j) {
            models_.gintModelData[j] = static_cast<std::int16_t>(0x10 + j);
            models_.gintModelData[10 + j] = static_cast<std::int16_t>(0x20 + j);
        }
        // Beep, battery save, squelch, monitor key, time-out timer, wide/narrow, model.
        lists_ = {0, 1, 6, 3, 2, 1, 0};
    }

    CodeplugImage Encode() {
        CodeplugImage image{};
        EncodeImage(image, channels_, lists_, models_, tones_);
        return image;
    }
    const std::uint8_t* Record(const CodeplugImage& image, std::size_t k) {
        return &image[ChannelRecordAt(k)];
    }
    static std::vector<int> Bytes(const std::uint8_t* at, std::size_t n) { return {at, at + n}; }
    void SetChannel(std::size_t k, double rx, double tx, double decode, double encode, double busy,
                    double shift) {
        channels_[k] = {rx, tx, decode, encode, busy, shift, -1, -1};
    }

    ToneTable tones_;
    ModelTable models_;
    ListSelections lists_;
    ChannelTable channels_ = EmptyChannelTable();
};

TEST_F(ImageCodecTest, BlankImageEmptyChannelsAndRadioWideBytes) {
    const CodeplugImage blank = BlankImage();
    EXPECT_EQ(std::memcmp(blank.data(), "ZRT83N\xFF\xFF\xFF\xFFV0100", 15), 0);
    for (std::size_t i = 15; i < kImageSize; ++i) ASSERT_EQ(blank[i], 0xFF) << i;
    LeadCode lead{};
    CodeplugImage target{};
    InitMatrixCode(target, lead);
    EXPECT_EQ(target, blank);
    EXPECT_EQ(std::memcmp(lead.data(), "\x02PROGRAM", 8), 0);

    const CodeplugImage image = Encode();
    for (std::size_t k = 0; k < kChannelCount; ++k) {
        for (std::size_t i = 0; i < kChannelRecordSize; ++i)
            ASSERT_EQ(Record(image, k)[i], i == kRecFlags ? 0xFB : 0xFF) << k << "/" << i;
        EXPECT_EQ(image[690 + k], k + 1);
    }
    // Beep on, battery save off.
    EXPECT_EQ(Bytes(&image[kOptionBits], 4), (std::vector<int>{0xFD, 6, 3, 2}));
    EXPECT_EQ(Bytes(&image[kModelBlockAt], 8),
              (std::vector<int>{0x10, 0x11, 65, 0x13, 0x14, 0x15, 0x16, 0x17}));
    EXPECT_EQ(image[1034], 0xFF);
    EXPECT_EQ(image[689], 0xFF);

    lists_ = {};
    lists_.model = 1;
    // No selection counts as ON for both.
    EXPECT_EQ(Bytes(&Encode()[kOptionBits], 4), (std::vector<int>{0xFF, 5, 3, 0}));
    lists_.beepTone = 1;
    lists_.batterySave = 0;
    EXPECT_EQ(Encode()[kOptionBits], 0xFE);
}

// Each model-block value or model code that is not a byte leaves its own byte FFh; the model
// code is its text's whole number, halves to even.
TEST_F(ImageCodecTest, ModelBlockValuesThatAreNotBytesAreLeftFF) {
    models_.gstrModel[3] = "5100";  // the code default of a missing configuration
    models_.gintModelData[3] = 300;
    models_.gintModelData[4] = -1;
    CodeplugImage image = Encode();
    EXPECT_EQ(Bytes(&image[kModelBlockAt], 8),
              (std::vector<int>{0x10, 0x11, 0xFF, 0xFF, 0xFF, 0x15, 0x16, 0x17}));
    EXPECT_EQ(image[kSquelch], 6);
    const std::pair<const char*, int> codes[] = {{"65.4", 65},     {"7.5", 8},      {"6.5", 6},
                                                 {" 255.49", 255}, {"255.5", 0xFF}, {"-3", 0xFF}};
    for (const auto& [text, code] : codes) {
        models_.gstrModel[3] = text;
        image = Encode();
        EXPECT_EQ(image[kModelCodeAt], code) << text;
        if (code != 0xFF) {
            EXPECT_EQ(DecodeImage(image, models_, tones_).model, 0) << text;
        }
    }
}

TEST_F(ImageCodecTest, ChannelRecordLayoutAndFlags) {
    lists_.wideNarrow = 0;
    SetChannel(0, 446.00625, 446.09375, 1, 12, 0, 1);  // wide, shift on, lockout off
    SetChannel(3, 446.00625, -1, 0, 5, 1, 0);          // no transmit frequency
    CodeplugImage image = Encode();
    const std::uint8_t ch1[16] = {0x25, 0x06, 0x60, 0x44, 0x75, 0x93, 0x60, 0x44,
                                  0x70, 0x06, 0x74, 0x09, 0xF9, 0x01, 0x01, 0xFF};
    EXPECT_EQ(std::memcmp(Record(image, 0), ch1, 16), 0);
    // No transmit frequency; tone 5 = 77.0 Hz, code "0770"; wide, shift off, lockout on.
    const std::uint8_t ch4[16] = {0x25, 0x06, 0x60, 0x44, 0xFF, 0xFF, 0xFF, 0xFF,
                                  0xFF, 0xFF, 0x70, 0x07, 0xFA, 0x01, 0x01, 0xFF};
    EXPECT_EQ(std::memcmp(Record(image, 3), ch4, 16), 0);

    EXPECT_EQ(ChannelFlags(-1, 1, 1), 0xFB);  // no wide/narrow selection
    EXPECT_EQ(ChannelFlags(1, 0.5, 1), 0xFB);
    // F8h, plus 4 when narrow, 2 when shift is off and 1 when lockout is off.
    for (int i = 0; i < 8; ++i) EXPECT_EQ(ChannelFlags(i / 4, 1 - i / 2 % 2, 1 - i % 2), 0xF8 + i);
}

TEST_F(ImageCodecTest, ToneOutsideTheTableEndsEncodingAtThatChannel) {
    SetChannel(0, 446.00625, 446.00625, 0, 0, 0, 0);
    SetChannel(1, 446.00625, 446.00625, 0, 300, 0, 0);
    SetChannel(2, 446.00625, 446.00625, 0, 0, 0, 0);
    CodeplugImage image{};
    EXPECT_FALSE(RunToErrorExit([&] { EncodeImage(image, channels_, lists_, models_, tones_); }));
    EXPECT_EQ(Record(image, 0)[kRecInUseA], 0x01);
    EXPECT_EQ(Record(image, 2)[kRecInUseA], 0xFF);
}

TEST_F(ImageCodecTest, DecodingGivesBackTheEditState) {
    SetChannel(0, 446.00625, 446.09375, 1, 12, 0, 1);
    SetChannel(5, 400.0125, -1, 204, -1, 1, 0);
    SetChannel(15, 469.9875, 469.9875, 123, 0, 1, 1);
    CodeplugImage image = Encode();
    image[1040] = 0x42;  // radio-only bytes beyond the model block are left alone
    const DecodedImage d = DecodeImage(image, models_, tones_);
    EXPECT_EQ(std::tuple(d.model, d.modelCode, d.beepTone, d.batterySave, d.squelch, d.monitorKey,
                         d.timeOutTimer, d.wideNarrow),
              std::tuple(0, 65, 0, 1, 6, 3, 2, 1));
    // The channel without a transmit frequency; the others as every round trip checks them.
    ASSERT_TRUE(d.channels[5].has_value());
    EXPECT_EQ(*d.channels[5], (std::array<double, 6>{400.0125, -1, 204, -1, 1, 0}));
    // The frequency and tone bytes of present records are now in decimal form.
    EXPECT_EQ(Record(image, 0)[0], 25);
    EXPECT_EQ(Record(image, 5)[7], 165);
    // A tone from 123 on is stored with its high pair 30 higher; the image holds it lowered.
    const auto high = [&](int tone) { return std::stoi(tones_.gstrQTDQTCode[tone].substr(0, 2)); };
    EXPECT_EQ(Record(image, 5)[kRecDecodeToneHigh], high(204));
    EXPECT_EQ(Record(image, 15)[kRecDecodeToneHigh], high(123));
    EXPECT_EQ(Record(image, 1)[0], 0xFF);
    EXPECT_EQ(image[1040], 0x42);
}

// A never-programmed radio has FFh in its radio-wide bytes, and records may hold what the program
// never writes: those lists are left unset, an odd record decodes as far as it can, and the other
// channels are decoded all the same.
TEST_F(ImageCodecTest, OddBytesDoNotStopDecoding) {
    SetChannel(2, 446.05625, 446.05625, 3, 3, 0, 0);
    CodeplugImage image = Encode();
    image[kOptionBits] = 0x12;
    image[kSquelch] = 0xFF;
    image[kMonitorKey] = 4;
    image[kTimeOutTimer] = 11;
    image[kModelCodeAt] = 99;
    image[ChannelRecordAt(4) + kRecInUseA] = 0x01;  // present only when both marks are below FFh
    std::uint8_t* record = &image[ChannelRecordAt(5)];
    record[kRecInUseA] = record[kRecInUseB] = 0x00;
    record[kRecFlags] = 0x13;  // not a flags value the radio uses
    const DecodedImage decoded = DecodeImage(image, models_, tones_);
    for (const auto& list : {decoded.model, decoded.beepTone, decoded.batterySave, decoded.squelch,
                             decoded.monitorKey, decoded.timeOutTimer})
        EXPECT_FALSE(list.has_value());
    ASSERT_TRUE(decoded.channels[2]);
    EXPECT_EQ((*decoded.channels[2])[kFieldRx], 446.05625);
    EXPECT_FALSE(decoded.channels[4]);
    // Frequency bytes FFh decode as 165 per pair; tones FFh give no tone, no transmit frequency;
    // the unknown flags byte gives shift and lockout off, and leaves channel 3's wide/narrow.
    ASSERT_TRUE(decoded.channels[5]);
    EXPECT_EQ(*decoded.channels[5], (std::array<double, 6>{1666.66665, -1, 0, -1, 0, 0}));
    EXPECT_EQ(decoded.wideNarrow, 1);
}

// Every raster point of both delivered bands, with every tone, survives a round trip; unused
// channels stay unused.
TEST_F(ImageCodecTest, RoundTripOverBandsAndTones) {
    std::vector<double> points;
    for (int step = 0; step <= 5600; ++step) points.push_back(400.0 + 0.0125 * step);
    for (int step = 0; step < 8; ++step) points.push_back(446.00625 + 0.0125 * step);
    std::size_t next = 0;
    int tone = 0;
    while (next < points.size()) {
        channels_ = EmptyChannelTable();
        for (std::size_t k = 0; k < kChannelCount && next < points.size(); ++k, ++next) {
            const double f = std::stod(FormatFixed(points[next], 3, 5));
            SetChannel(k, f, f, tone % 205, (tone + 7) % 205, k % 2, (k / 2) % 2);
            ++tone;
        }
        CodeplugImage image = Encode();
        const DecodedImage decoded = DecodeImage(image, models_, tones_);
        for (std::size_t k = 0; k < kChannelCount; ++k) {
            ASSERT_EQ(decoded.channels[k].has_value(), channels_[k][0] != -1) << k;
            if (!decoded.channels[k]) continue;
            for (int f = 0; f < 6; ++f) ASSERT_EQ((*decoded.channels[k])[f], channels_[k][f]);
        }
    }
}

}  // namespace
}  // namespace rvm46
