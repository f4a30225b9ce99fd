// Choosing the model in use again, the tone lists, and a decoded codeplug applied to the window.
// A model change is in the model_change scenario, entering a tone list in channel_all_fields.
#include "model/image_codec.h"
#include "ui/main_window_fixture.h"

namespace rvm46::testing {
namespace {

TEST_F(MainWindowTest, SameModelToneListsAndDecodedImage) {
    InstallDeliveredFiles();
    WillAnswerLanguage(2);
    ui::FrmMain& w = Start();
    w.gdblChannel[3] = {446.00625, -1, 0, -1, 0, 0, -1, -1};
    w.cboSqlSel.UserSelect(2);
    w.txtChannel(1003).SetText("446.00625");

    // The model in use chosen again: no question, nothing cleared, the model saved.
    fs::remove(ConfigFile());
    w.cboTypeSel.UserSelect(1);
    EXPECT_TRUE(platform_->Messages().empty());
    EXPECT_EQ(w.gdblChannel[3][0], 446.00625);
    EXPECT_EQ(Config("Model"), "1");

    // Emptying a tone list (no command of the window does it today) and filling it again.
    w.TransReceCtcssList(false, false);
    EXPECT_EQ(w.cboTransQTSel.ListCount(), 0);
    EXPECT_FALSE(w.cboTransQTSel.Enabled());
    EXPECT_EQ(w.cboReceQTSel.ListCount(), 205);
    w.TransReceCtcssList(false, true);
    EXPECT_EQ(w.cboTransQTSel.ListCount(), 205);
    EXPECT_EQ(w.cboTransQTSel.ListIndex(), 0);
    EXPECT_TRUE(w.cboTransQTSel.Enabled());

    // An image from a never-programmed radio: the lists whose bytes are not items keep their
    // selection, and every channel is still taken over.
    ChannelTable channels = EmptyChannelTable();
    channels[0] = {462.5, 462.5, 3, 3, 1, 1, -1, -1};
    // Beep, battery save, squelch, monitor key, time-out, wide/narrow, model.
    const ListSelections lists{1, 1, 9, 1, 4, 0, 2};
    EncodeImage(w.gbytMatrixCode, channels, lists, w.models, w.tones);
    w.gbytMatrixCode[1011] = 0xFF;  // squelch
    w.ApplyDecodedImage();
    EXPECT_TRUE(platform_->Messages().empty());  // the model changes without a question
    EXPECT_EQ(w.cboTypeSel.ListIndex(), 2);
    EXPECT_EQ(w.cboSqlSel.ListIndex(), 6);  // the model change's default, left as it was
    EXPECT_EQ(w.cboMoniSel.ListIndex(), 1);
    EXPECT_EQ(w.cboWideNarrow.ListIndex(), 0);
    EXPECT_EQ(w.gdblChannel[0][0], 462.5);
    EXPECT_EQ(w.gdblChannel[3][0], -1);  // the previous channel is gone

    // Encoding the window again gives the same channel bytes back.
    w.SetConvert();
    EXPECT_EQ(w.gbytMatrixCode[66], 0x00);
    EXPECT_EQ(w.gbytMatrixCode[69], 0x46);
    EXPECT_EQ(w.gbytMatrixCode[1011], 6);
}

}  // namespace
}  // namespace rvm46::testing
