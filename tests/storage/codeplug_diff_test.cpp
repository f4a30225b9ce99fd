// Comparing two codeplugs in the words of the window.
#include "storage/codeplug_diff.h"

#include <gtest/gtest.h>

#include "model/codeplug_layout.h"
#include "storage/codeplug_document.h"
#include "storage/delivered_tables.h"

namespace rvm46::storage {
namespace {

using testing::DeliveredModels;
using testing::DeliveredTones;
using testing::kModel4100;

CodeplugImage Encode(const CodeplugDocument& document) {
    return *EncodeDocument(document, DeliveredModels(), DeliveredTones(), nullptr);
}

std::vector<std::string> Diff(const CodeplugDocument& a, const CodeplugDocument& b) {
    return DiffImages(Encode(a), Encode(b), DeliveredModels(), DeliveredTones());
}

class CodeplugDiffTest : public ::testing::Test {
  protected:
    CodeplugDiffTest() {
        // Beep, battery save, squelch, monitor key, time-out timer, wide/narrow, model.
        base.lists = {0, 1, 6, 3, 2, 1, kModel4100};
        base.channels[0] = {446.05625, 446.05625, 0, 0, 0, 0, -1, -1};
        base.channels[2] = {446.00625, 446.00625, 1, 1, 0, 0, -1, -1};
    }
    CodeplugDocument base;
};

TEST_F(CodeplugDiffTest, ChannelsAndSettingsInWords) {
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
}

TEST_F(CodeplugDiffTest, OtherBytesByAddress) {
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
