// The channel grid: the round trip of a codeplug edited in one window and shown in another, the
// cells of a decoded channel and the left button. Picking channels by cell and spinner, the
// pop-up menu and the cells after a language switch are in the channel_picking, channel_entry
// and language_switch scenarios.
#include "editing/channel_window_fixture.h"
#include "model/codeplug_layout.h"

namespace rvm46::testing {
namespace {

class GridTest : public ChannelWindowTest {
  protected:
    // Channels edited through the panel, of every kind the grid shows.
    void EditSampleChannels() {
        ui::FrmMain& w = W();
        AcceptChannel(0, "440", "445");
        w.cboChSel.UserSelect(1);
        Enter(w.txtReceFre, "433.1234", w.cboReceQTSel);  // receive only, with tones
        w.cboReceQTSel.UserSelect(1);
        w.lblForbidTrans.UserClick();
        w.chkShift.UserClick();
        w.cmdConfirm.UserClick();
        AcceptChannel(7, "460.0125", "465");
        W().cboChSel.UserSelect(7);
        W().cboTransQTSel.UserSelect(123);
        W().cboReceQTSel.UserSelect(39);
        W().chkShift.UserClick();  // shift without busy lockout: the two columns differ
        W().cmdConfirm.UserClick();
        AcceptChannel(15, "470", "480");  // transmit outside the band
    }

    std::vector<std::vector<std::string>> Grid() {
        std::vector<std::vector<std::string>> grid;
        for (int k = 0; k < ui::kGridRows; ++k) grid.push_back(Row(k));
        return grid;
    }
};

TEST_F(GridTest, RoundTripThroughTheImageShowsTheSameGridAndTable) {
    for (const char* overFreFont : {"True", "False"}) {
        SCOPED_TRACE(overFreFont);
        ui::FrmMain& a = StartWith(kModel400To470, 2, true, overFreFont);
        if (std::string(overFreFont) == "False") platform_->QueueAnswer(MsgResult::OK);
        EditSampleChannels();
        const auto grid = Grid();
        const ChannelTable table = a.gdblChannel;
        EXPECT_EQ(grid[1], (std::vector<std::string>{"433.12500", "", "67.0", "", "Yes", "Yes"}));
        EXPECT_EQ(grid[7][2], "250.3");
        EXPECT_EQ(grid[7][4] + grid[7][5], "NoYes");
        a.cboSqlSel.UserSelect(3);
        a.SetConvert();
        const CodeplugImage image = a.gbytMatrixCode;

        // A fresh window on the other model: showing the image selects the image's model
        // without asking, then the channels.
        ui::FrmMain& b = Start();
        platform_->QueueAnswer(MsgResult::Yes);
        b.cboTypeSel.UserSelect(kModel446);
        b.cboChSel.UserSelect(5);
        EXPECT_EQ(b.cboTypeSel.ListIndex(), kModel446);
        const std::size_t asked = MessageCount();
        b.gbytMatrixCode = image;
        b.SoftDisplay();
        EXPECT_EQ(MessageCount(), asked);
        EXPECT_EQ(b.cboTypeSel.ListIndex(), kModel400To470);
        EXPECT_EQ(b.cboSqlSel.ListIndex(), 3);
        EXPECT_EQ(Grid(), grid);
        EXPECT_EQ(b.gdblChannel, table);
        for (int k : {0, 1, 7, 15}) EXPECT_EQ(b.txtChannel(1000 + k).BackColor(), 0xCADCE7u);
        EXPECT_EQ(b.txtChannel(1003).BackColor(), 0xCACEDFu);
        // The panel shows channel 1, after the model change reset the list to it.
        EXPECT_EQ(b.cboChSel.ListIndex(), 0);
        EXPECT_EQ(b.txtReceFre.Text(), "440.00000");
        EXPECT_EQ(b.txtTransFre.Text(), "445.00000");
        EXPECT_EQ(platform_->PendingAnswers(), 0u);
    }
}

// With marking on, out-of-band cells are coloured: the channel_picking scenario.
TEST_F(GridTest, SoftDisplayLeavesTheColoursWhenMarkingIsOff) {
    ui::FrmMain& a = StartWith(kModel400To470);
    EditSampleChannels();
    a.SetConvert();
    const CodeplugImage image = a.gbytMatrixCode;

    SetConfig("Setting", "OverFreFont", "False");
    ui::FrmMain& c = Start();
    c.txtChannel(2015).SetForeColor(0x123456);
    c.gbytMatrixCode = image;
    // Channel 16's transmit frequency is refused by the final check of the panel only when the
    // panel shows it; channel 1 is shown, so no message.
    c.SoftDisplay();
    EXPECT_EQ(c.txtChannel(2015).ForeColor(), 0x123456u);
    EXPECT_EQ(Cell(2, 15), "480.00000");
    EXPECT_EQ(MessageCount(), 0u);
}

TEST_F(GridTest, ToneCellsOfADecodedChannel) {
    ui::FrmMain& w = StartWith(kModel400To470, 1);
    AcceptChannel(0, "440", "");
    w.SetConvert();
    // Receive only, but with an encode tone code stored: column 4 shows it.
    const std::size_t rec = layout::ChannelRecordAt(0);
    w.gbytMatrixCode[rec + layout::kRecEncodeToneHigh] = 0x06;
    w.gbytMatrixCode[rec + layout::kRecEncodeToneLow] = 0x70;
    w.SoftDisplay();
    EXPECT_EQ(Row(0), (std::vector<std::string>{"440.00000", "", "无", "67.0", "否", "否"}));
}

}  // namespace
}  // namespace rvm46::testing
