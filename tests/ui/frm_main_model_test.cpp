// Choosing the model in use again, the tone lists, and a decoded codeplug applied to the window.
// A model change is in the model_change scenario, entering a tone list in channel_all_fields.
#include "model/image_codec.h"
#include "ui/main_window_fixture.h"

namespace rvm46::testing {
namespace {

class ModelSelectionTest : public MainWindowTest {
  protected:
    void SetUp() override {
        InstallDeliveredFiles();
        WillAnswerLanguage(2);
        w_ = &Start();
        w_->gdblChannel[3] = {446.00625, -1, 0, -1, 0, 0, -1, -1};
        w_->cboSqlSel.UserSelect(2);
        w_->txtChannel(1003).SetText("446.00625");
    }
    ui::FrmMain* w_ = nullptr;
};

TEST_F(ModelSelectionTest, SameModelAsksNothingButSaves) {
    std::filesystem::remove(ConfigFile());
    w_->cboTypeSel.UserSelect(1);
    EXPECT_TRUE(platform_->Messages().empty());
    EXPECT_EQ(w_->gdblChannel[3][0], 446.00625);
    EXPECT_EQ(Config("Model"), "1");
}

// Emptying a tone list (no command of the window does it today) and filling it again.
TEST_F(ModelSelectionTest, ToneListCanBeEmptiedAndFilledAgain) {
    w_->TransReceCtcssList(false, false);
    EXPECT_EQ(w_->cboTransQTSel.ListCount(), 0);
    EXPECT_FALSE(w_->cboTransQTSel.Enabled());
    EXPECT_EQ(w_->cboReceQTSel.ListCount(), 205);
    w_->TransReceCtcssList(false, true);
    EXPECT_EQ(w_->cboTransQTSel.ListCount(), 205);
    EXPECT_EQ(w_->cboTransQTSel.ListIndex(), 0);
    EXPECT_TRUE(w_->cboTransQTSel.Enabled());
}

// An image from a never-programmed radio: the lists whose bytes are not items keep their
// selection, and every channel is still taken over.
TEST_F(ModelSelectionTest, DecodedImageWithInvalidRadioWideBytes) {
    ChannelTable channels = EmptyChannelTable();
    channels[0] = {462.5, 462.5, 3, 3, 1, 1, -1, -1};
    // Beep, battery save, squelch, monitor key, time-out, wide/narrow, model.
    const ListSelections lists{1, 1, 9, 1, 4, 0, 2};
    EncodeImage(w_->gbytMatrixCode, channels, lists, w_->models, w_->tones);
    w_->gbytMatrixCode[1011] = 0xFF;  // squelch
    w_->ApplyDecodedImage();
    EXPECT_TRUE(platform_->Messages().empty());  // the model changes without a question
    EXPECT_EQ(w_->cboTypeSel.ListIndex(), 2);
    EXPECT_EQ(w_->cboSqlSel.ListIndex(), 6);  // the model change's default, left as it was
    EXPECT_EQ(w_->cboMoniSel.ListIndex(), 1);
    EXPECT_EQ(w_->cboWideNarrow.ListIndex(), 0);
    EXPECT_EQ(w_->gdblChannel[0][0], 462.5);
    EXPECT_EQ(w_->gdblChannel[3][0], -1);  // the previous channel is gone

    // Encoding the window again gives the same channel bytes back.
    w_->SetConvert();
    EXPECT_EQ(w_->gbytMatrixCode[66], 0x00);
    EXPECT_EQ(w_->gbytMatrixCode[69], 0x46);
    EXPECT_EQ(w_->gbytMatrixCode[1011], 6);
}

}  // namespace
}  // namespace rvm46::testing
