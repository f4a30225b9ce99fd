// The frequency boxes and the channel edit commands of the main window, driven as the user
// drives them: leaving boxes, picking channels and pressing OK. Typing per keystroke, the
// receive = transmit box, OK with the band check and marking on, a channel with every field,
// deleting every channel, and the message naming a refused box and OK refusing it are in the
// frequency_typing, equal_frequencies, channel_accept, channel_all_fields, delete_all_channels and
// focus_kept_by_handler scenarios.
#include "editing/channel_window_fixture.h"

namespace rvm46::testing {
namespace {

using forms::kUnchecked;

// Leaving a frequency box snaps the text to the raster. With the band check on, the result says
// whether it is in the band and an out-of-band value is kept (marking on); without the check, an
// implausible value becomes the band's low edge and the flags stay clear. No message either way.
TEST_F(ChannelWindowTest, LeavingABoxSnapsAndChecksTheFrequency) {
    struct Case {
        int model;
        bool valLegal;
        const char* typed;
        const char* shown;
        int legal;  // gblnFreLegal afterwards; -1 when the check does not set it
    };
    for (const Case c : {Case{kModel446, true, "446.1", "446.10625", 0},
                         {kModel446, true, "446.095", "446.09375", 1},
                         {kModel446, true, "446.01", "446.00625", 1},
                         {kModel400To470, true, "470.000001", "470.00000", 1},
                         {kModel400To470, true, "470.01", "470.01250", 0},
                         {kModel400To470, true, "", "", -1},
                         // Too large for the raster: the check ends at the snapping, text kept.
                         {kModel400To470, true, "99999999999", "99999999999.00000", -1},
                         {kModel400To470, false, "50", "400.00000", -1},
                         {kModel400To470, false, "1200", "400.00000", -1},
                         {kModel400To470, false, "300.004", "300.00000", -1},  // no band check
                         {kModel400To470, false, "", "", -1},
                         {kModel446, false, "50", "446.00625", -1},
                         {kModel446, false, "446.5", "446.50625", -1}}) {
        SCOPED_TRACE(c.typed);
        ui::FrmMain& w = StartWith(c.model, 2, c.valLegal);
        Enter(w.txtReceFre, c.typed, w.txtTransFre);
        EXPECT_EQ(w.txtReceFre.Text(), c.shown);
        EXPECT_TRUE(w.txtTransFre.HasFocus());
        if (c.legal >= 0) {
            EXPECT_EQ(w.gblnFreLegal, c.legal == 1);
        }
        if (!c.valLegal) {
            w.JudgeFreRange();
            EXPECT_FALSE(w.gblnReceOverRange);
        }
        EXPECT_EQ(MessageCount(), 0u);
    }

    // Out of band with marking on: a whole-megahertz band colours the box only through
    // JudgeFreRange (the 446 MHz model colours it at once: channel_accept).
    StartWith(kModel400To470);
    Enter(W().txtReceFre, "470.01", W().txtTransFre);
    EXPECT_EQ(W().txtReceFre.ForeColor(), kBlack);
    W().JudgeFreRange();
    EXPECT_TRUE(W().gblnReceOverRange);
    EXPECT_FALSE(W().gblnTransOverRange);
    EXPECT_EQ(W().txtReceFre.ForeColor(), kHint);
}

TEST_F(ChannelWindowTest, AcceptingOnTheLenientPath) {
    // Marking on: no band check at all, out-of-band values are stored in the normal colour.
    ui::FrmMain& w = StartWith(kModel400To470, 2, false, "True");
    AcceptChannel(0, "300", "480");
    EXPECT_EQ(w.gdblChannel[0][kFieldRx], 300);
    EXPECT_EQ(w.gdblChannel[0][kFieldTx], 480);
    EXPECT_EQ(w.txtChannel(2000).ForeColor(), kBlack);
    EXPECT_EQ(MessageCount(), 0u);

    // Marking off: OK still refuses out-of-band values with the message, emptying the channel.
    StartWith(kModel400To470, 2, false, "False");
    platform_->QueueAnswer(MsgResult::OK);
    platform_->QueueAnswer(MsgResult::OK);
    AcceptChannel(0, "300", "480");
    EXPECT_EQ(MessageCount(), 2u);
    EXPECT_EQ(W().gdblChannel[0], EmptyChannelTable()[0]);
    EXPECT_EQ(Row(0), std::vector<std::string>(6, ""));
}

TEST_F(ChannelWindowTest, LockoutAndShiftFlagsLoadedFromTheTable) {
    // (The label of a disabled lockout box doing nothing is in the channel_all_fields scenario.)
    ui::FrmMain& w = StartWith(kModel400To470);
    w.gdblChannel[6] = ChannelRecord{440, -1, 0, -1, -1, 7, -1, -1};
    w.chkShift.SetEnabled(true);
    w.cboChSel.UserSelect(6);
    EXPECT_EQ(w.txtReceFre.Text(), "440.00000");
    EXPECT_FALSE(w.chkForbidTrans.Enabled());  // -1: not ticked and disabled
    EXPECT_EQ(w.chkForbidTrans.Value(), kUnchecked);
    EXPECT_TRUE(w.chkShift.Enabled());  // 7: left as the Change handler set it
    EXPECT_EQ(w.chkShift.Value(), kUnchecked);
}

}  // namespace
}  // namespace rvm46::testing
