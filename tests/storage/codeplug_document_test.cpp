// The rules every codeplug document obeys before it becomes an image, the image round trip, and
// comparing two codeplugs in the words of the window.
#include "storage/codeplug_document.h"

#include <gtest/gtest.h>

#include <tuple>

#include "model/codeplug_layout.h"
#include "storage/codeplug_diff.h"
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

CodeplugImage Encode(const CodeplugDocument& document) {
    return *EncodeDocument(document, DeliveredModels(), DeliveredTones(), nullptr);
}

std::vector<std::string> Diff(const CodeplugDocument& a, const CodeplugDocument& b) {
    return DiffImages(Encode(a), Encode(b), DeliveredModels(), DeliveredTones());
}

TEST(CodeplugDocumentTest, RefusesWhatTheRadioCannotHold) {
    struct Case {
        CodeplugDocument document;
        std::string messages;
        int uncodedTone = 0;  // a tone whose code, as a tone list without that key reads, is "7"
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
        {OneChannel(kModel4100, {433, -1, 7, -1, 0, 0, -1, -1}),
         "channel 5, decode_tone \"7\": tone 7 cannot be stored: its code in the tone list (\"7\") "
         "does not read back",
         7},
    };
    for (const Case& c : cases) {
        CodeplugDocument document = c.document;
        ToneTable tones = DeliveredTones();
        if (c.uncodedTone) tones.gstrQTDQTCode[c.uncodedTone] = "7";
        std::string messages;
        for (const Finding& e : ValidateDocument(document, DeliveredModels(), tones).errors)
            messages += (messages.empty() ? "" : "\n") + Describe(e);
        EXPECT_EQ(messages, c.messages);
    }
}

TEST(CodeplugDocumentTest, SnapsAsTheChannelEditorDoesAndSaysSo) {
    // (model, frequency given, snapped, whether the snapping is noted)
    for (const auto& [model, given, snapped, noted] :
         {std::tuple{kModel4100446, 446.01, 446.00625, true},
          {kModel4100446, 446.095, 446.09375, true},  // snapped back into the band
          {kModel4100, 433.1234, 433.125, true},
          {kModel4100, 470.0, 470.0, false},
          {-1, 999 - 0.0125, 998.9875, false}}) {
        CodeplugDocument document = OneChannel(model, {given, given, 0, 0, 0, 0, -1, -1});
        const auto result = ValidateDocument(document, DeliveredModels(), DeliveredTones());
        EXPECT_TRUE(result.errors.empty()) << given;
        EXPECT_NEAR(document.channels[4][kFieldRx], snapped, 1e-9) << given;
        EXPECT_EQ(result.notes.size(), noted ? 2u : 0u) << given;
    }
}

TEST(CodeplugDocumentTest, EncodedDocumentReadsBackAsItWas) {
    CodeplugDocument document = OneChannel(kModel4100, {433.125, -1, 150, 12, 1, 0, -1, -1});
    // Beep, battery save, squelch, monitor key, time-out timer, wide/narrow, model.
    document.lists = {1, 0, 9, 2, 10, 1, kModel4100};
    const CodeplugDocument back =
        DocumentFromImage(Encode(document), DeliveredModels(), DeliveredTones());
    EXPECT_EQ(back.channels, document.channels);
    const auto lists = [](const ListSelections& l) {
        return std::tuple(l.beepTone, l.batterySave, l.squelch, l.monitorKey, l.timeOutTimer,
                          l.wideNarrow, l.model);
    };
    EXPECT_EQ(lists(back.lists), lists(document.lists));
}

TEST(CodeplugDiffTest, ChannelsSettingsAndOtherBytesInWords) {
    CodeplugDocument base;
    // Beep, battery save, squelch, monitor key, time-out timer, wide/narrow, model.
    base.lists = {0, 1, 6, 3, 2, 1, kModel4100};
    base.channels[0] = {446.05625, 446.05625, 0, 0, 0, 0, -1, -1};
    base.channels[2] = {446.00625, 446.00625, 1, 1, 0, 0, -1, -1};
    EXPECT_TRUE(Diff(base, base).empty());
    CodeplugDocument other = base;
    other.channels[2][kFieldRx] = 446.01875;
    other.channels[2][kFieldDecodeTone] = 0;
    other.channels[5] = {433.125, -1, 40, -1, 1, 0, -1, -1};
    other.lists.squelch = 5;
    other.lists.timeOutTimer = 4;  // its byte is told once, in words
    other.lists.wideNarrow = 0;
    EXPECT_EQ(Diff(base, other),
              (std::vector<std::string>{
                  "squelch level: 6 -> 5",
                  "time-out timer: 60 -> 120",
                  "wide/narrow: Narrow -> Wide",
                  "channel 3: RX 446.00625 -> 446.01875; decode tone 67.0 -> None",
                  "channel 6: not in use -> RX 433.12500, TX none, decode D023N, encode none "
                  "(no TX), BCL Yes, shift No",
              }));
    EXPECT_EQ(Diff(other, base)[4],
              "channel 6: RX 433.12500, TX none, decode D023N, encode none (no TX), BCL Yes, "
              "shift No -> not in use");

    // Other bytes by their address.
    CodeplugImage a = Encode(base);
    CodeplugImage b = a;
    b[50 + 0x3E0] = 0x12;                       // beyond what the program writes
    b[layout::ChannelRecordAt(2) + 15] = 0x00;  // spare byte of a channel
    b[layout::kSquelch] = 0xFF;                 // not a setting: told in words
    EXPECT_EQ(DiffImages(a, b, DeliveredModels(), DeliveredTones()),
              (std::vector<std::string>{"squelch level: 6 -> byte FFh (no setting)",
                                        "address 03Fh: FF -> 00", "address 3E0h: FF -> 12"}));
}

}  // namespace
}  // namespace rvm46::storage
