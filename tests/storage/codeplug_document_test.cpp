// The rules every codeplug document obeys before it becomes an image, and the image round trip.
#include "storage/codeplug_document.h"

#include <gtest/gtest.h>

#include <tuple>

#include "storage/delivered_tables.h"

namespace rvm46::storage {
namespace {

using testing::DeliveredModels;
using testing::DeliveredTones;
using testing::kModel4100;
using testing::kModel4100446;

CodeplugDocument OneChannel(int model, ChannelRecord channel) {
    CodeplugDocument document;
    document.lists.model = model;
    document.channels[4] = channel;
    return document;
}

TEST(CodeplugDocumentTest, RefusesWhatTheRadioCannotHold) {
    struct Case {
        CodeplugDocument document;
        std::string message;
    };
    CodeplugDocument badList;
    badList.lists.squelch = 10;
    CodeplugDocument badModel;
    badModel.lists.model = DeliveredModels().gintModelCount;
    const std::vector<Case> cases = {
        {badList, "document, squelch \"10\": outside 0..9"},
        {badModel, "document, model \"4\": outside 0..3"},
        {OneChannel(kModel4100, {470.1, -1, 0, -1, 0, 0, -1, -1}),
         "channel 5, rx \"470.1\": Out of range!The valid range is 400-470MHz"},
        {OneChannel(kModel4100446, {446.00625, 446.1, 0, 0, 0, 0, -1, -1}),
         "channel 5, tx \"446.1\": Out of range!The valid range is 446.00625-446.09375MHz"},
        {OneChannel(-1, {50, -1, 0, -1, 0, 0, -1, -1}),
         "channel 5, rx \"50\": Out of range!The radio stores 100-999MHz"},
        {OneChannel(kModel4100, {433, -1, 205, -1, 0, 0, -1, -1}),
         "channel 5, decode_tone \"205\": not a tone of the tone list (0 to 204)"},
        {OneChannel(kModel4100, {433, -1, 0, -1, 0, 0, -1, -1}), ""},
        {OneChannel(kModel4100, {433, 433, 0, -1.5, 0, 0, -1, -1}),
         "channel 5, encode_tone \"-1.5\": not a tone of the tone list (0 to 204)"},
        {OneChannel(kModel4100, {433, -1, -1, -1, 0, 0, -1, -1}),
         "channel 5, decode_tone \"-1\": not a tone of the tone list (0 to 204)"},
        {OneChannel(kModel4100, {433, -1, 0, -1, 2, 0, -1, -1}),
         "channel 5, busy_lockout \"2\": must be 0 or 1"},
    };
    for (const Case& c : cases) {
        CodeplugDocument document = c.document;
        const auto result = ValidateDocument(document, DeliveredModels(), DeliveredTones());
        EXPECT_EQ(result.errors.empty() ? "" : Describe(result.errors[0]), c.message);
    }
}

TEST(CodeplugDocumentTest, ToneWithoutAStorableCodeIsRefused) {
    ToneTable tones = DeliveredTones();
    tones.gstrQTDQTCode[7] = "7";  // as a tone list without that key reads
    CodeplugDocument document = OneChannel(kModel4100, {433, -1, 7, -1, 0, 0, -1, -1});
    const auto result = ValidateDocument(document, DeliveredModels(), tones);
    ASSERT_EQ(result.errors.size(), 1u);
    EXPECT_EQ(result.errors[0].why,
              "tone 7 cannot be stored: its code in the tone list (\"7\") does not read back");
}

TEST(CodeplugDocumentTest, SnapsAsTheChannelEditorDoesAndSaysSo) {
    struct Case {
        int model;
        double given, snapped;
        bool noted;
    };
    const std::vector<Case> cases = {
        {kModel4100446, 446.01, 446.00625, true},
        {kModel4100446, 446.095, 446.09375, true},  // snapped back into the band
        {kModel4100, 433.1234, 433.125, true},
        {kModel4100, 470.0, 470.0, false},
        {-1, 999 - 0.0125, 998.9875, false},
    };
    for (const Case& c : cases) {
        CodeplugDocument document = OneChannel(c.model, {c.given, c.given, 0, 0, 0, 0, -1, -1});
        const auto result = ValidateDocument(document, DeliveredModels(), DeliveredTones());
        EXPECT_TRUE(result.errors.empty()) << c.given;
        EXPECT_NEAR(document.channels[4][kFieldRx], c.snapped, 1e-9) << c.given;
        EXPECT_EQ(result.notes.size(), c.noted ? 2u : 0u) << c.given;
    }
}

TEST(CodeplugDocumentTest, EncodedDocumentReadsBackAsItWas) {
    CodeplugDocument document = OneChannel(kModel4100, {433.125, -1, 150, 12, 1, 0, -1, -1});
    // Beep, battery save, squelch, monitor key, time-out timer, wide/narrow, model.
    document.lists = {1, 0, 9, 2, 10, 1, kModel4100};
    const auto image = EncodeDocument(document, DeliveredModels(), DeliveredTones(), nullptr);
    ASSERT_TRUE(image);
    const CodeplugDocument back = DocumentFromImage(*image, DeliveredModels(), DeliveredTones());
    EXPECT_EQ(back.channels, document.channels);
    const auto lists = [](const ListSelections& l) {
        return std::tuple(l.beepTone, l.batterySave, l.squelch, l.monitorKey, l.timeOutTimer,
                          l.wideNarrow, l.model);
    };
    EXPECT_EQ(lists(back.lists), lists(document.lists));
}

}  // namespace
}  // namespace rvm46::storage
