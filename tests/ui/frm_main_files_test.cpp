// The file commands through the main window where the file scenarios do not reach: Save
// without a current file, files of any size, failures that change nothing, New, and a recent
// entry whose file is gone (the list itself is in the recent_files scenario).
#include "editing/channel_window_fixture.h"
#include "model/codeplug_layout.h"
#include "storage/image_file.h"

namespace rvm46::testing {
namespace {

// Image index of the first byte after the sixteen channel records.
constexpr std::size_t kAfterRecords =
    layout::kChannelRecordAt + layout::kChannelCount * layout::kChannelRecordSize;

std::string ImageBytes(const CodeplugImage& image) {
    return {reinterpret_cast<const char*>(image.data()), image.size()};
}

class FilesTest : public ChannelWindowTest {
  protected:
    fs::path Scratch() const { return folder_ / "Data" / "TempData.dat"; }
    std::string FilePanel() { return W().sbrStatus.PanelText(3); }

    // A data file holding the window's codeplug with channel 1 at `rx`.
    fs::path MakeDataFile(const std::string& name, const std::string& rx) {
        AcceptChannel(0, rx, rx);
        W().SetConvert();
        const fs::path file = folder_ / name;
        std::string reason;
        EXPECT_TRUE(storage::WriteNewImageFile(file, W().gbytMatrixCode, &reason)) << reason;
        return file;
    }

    void Open(const fs::path& file) {
        platform_->QueueFileName(file.string());
        W().mnuFileOpen.UserClick();
    }

    const forms::testing::ShownMessage& LastMessage() { return platform_->Messages().back(); }
};

TEST_F(FilesTest, SaveWithoutCurrentFileAsksThenWritesTheScratchFile) {
    for (const char* current : {"", " "}) {
        SCOPED_TRACE(std::string("current '") + current + "'");
        StartWith(kModel400To470);
        W().gstrCurrentFile = current;
        fs::remove(Scratch());

        platform_->QueueAnswer(MsgResult::No);
        W().tlbFrmMain.UserClickButton("FileSave");
        EXPECT_FALSE(fs::exists(Scratch()));

        platform_->QueueAnswer(MsgResult::Yes);
        W().mnuFileSave.UserClick();
        EXPECT_TRUE(FileBytes(Scratch()) == ImageBytes(W().gbytMatrixCode));
        EXPECT_EQ(W().gstrCurrentFile, Scratch().string());
        EXPECT_EQ(FilePanel(), "File Name: " + Scratch().string());
        EXPECT_EQ(Config("Path"), Scratch().string());
    }
}

TEST_F(FilesTest, OpenTakesAnySizeAndSaveOverALongFileKeepsItsTail) {
    StartWith(kModel400To470);
    const fs::path source = MakeDataFile("source.Dat", "440");
    const std::string image = FileBytes(source);

    // 1000 bytes: the rest of the image is zero. (Showing a codeplug rewrites its channel
    // records in memory, so the bytes after them are compared.)
    const fs::path shortFile = folder_.Write("short.Dat", image.substr(0, 1000));
    Open(shortFile);
    const std::string opened = ImageBytes(W().gbytMatrixCode);
    EXPECT_TRUE(opened.substr(kAfterRecords, 1000 - kAfterRecords) ==
                image.substr(kAfterRecords, 1000 - kAfterRecords));
    EXPECT_TRUE(opened.substr(1000) == std::string(74, '\0'));
    EXPECT_EQ(Cell(1, 0), "440.00000");

    // 2000 bytes: the first 1074 are the image; saving keeps the file 2000 bytes long.
    const std::string tail(926, '\x5A');
    const fs::path longFile = folder_.Write("long.Dat", image + tail);
    AcceptChannel(0, "450", "450");
    Open(longFile);
    EXPECT_TRUE(ImageBytes(W().gbytMatrixCode).substr(kAfterRecords) ==
                image.substr(kAfterRecords));
    EXPECT_EQ(Cell(1, 0), "440.00000");

    AcceptChannel(1, "450", "450");
    platform_->QueueAnswer(MsgResult::Yes);
    W().mnuFileSave.UserClick();
    const std::string saved = FileBytes(longFile);
    ASSERT_EQ(saved.size(), 2000u);
    EXPECT_TRUE(saved.substr(0, 1074) == ImageBytes(W().gbytMatrixCode));
    EXPECT_FALSE(saved.substr(0, 1074) == image);
    EXPECT_TRUE(saved.substr(1074) == tail);
}

// A folder and a name handed back by a dialog that reports failure (open_missing_file has a file
// that is not there), then a recent entry whose file was deleted meanwhile: a message, nothing
// changes, nothing is created. (Opening an entry, the order kept and the path stored are in the
// recent_files scenario.)
TEST_F(FilesTest, FailedOpensChangeNothingThenNewClearsWithoutFiles) {
    StartWith(kModel400To470);
    const fs::path deleted = MakeDataFile("deleted.Dat", "450");
    const fs::path keep = MakeDataFile("keep.Dat", "440");
    for (const fs::path& f : {deleted, keep}) Open(f);
    fs::remove(deleted);
    const CodeplugImage image = W().gbytMatrixCode;
    fs::create_directory(folder_ / "folder.Dat");
    const fs::path other = folder_.Write("other.Dat", std::string(1074, '\0'));

    const std::pair<fs::path, bool> opens[] = {{folder_ / "folder.Dat", false}, {other, true}};
    for (const auto& [bad, dialogFailed] : opens) {
        SCOPED_TRACE(bad.string());
        platform_->QueueAnswer(MsgResult::OK);
        platform_->QueueFileName(bad.string(), dialogFailed);
        W().mnuFileOpen.UserClick();
        EXPECT_EQ(LastMessage().prompt, "Wrong file type!");
        EXPECT_EQ(LastMessage().icon, MsgIcon::Critical);
        EXPECT_TRUE(W().gbytMatrixCode == image);
        EXPECT_EQ(W().gstrCurrentFile, keep.string());
        EXPECT_EQ(FilePanel(), "File Name: " + keep.string());
    }
    EXPECT_TRUE(W().mnuRecentFile(1).Visible());  // only the files opened first are listed
    EXPECT_FALSE(W().mnuRecentFile(2).Visible());

    platform_->QueueAnswer(MsgResult::OK);
    W().mnuRecentFile(1).UserClick();
    EXPECT_EQ(LastMessage().prompt, "Wrong file type!");
    EXPECT_EQ(LastMessage().icon, MsgIcon::Exclamation);
    EXPECT_TRUE(W().gbytMatrixCode == image);
    EXPECT_EQ(W().gstrCurrentFile, keep.string());
    EXPECT_FALSE(fs::exists(deleted));

    // New then clears the window without touching a file, and a following Save writes the blank
    // codeplug to the scratch file.
    W().cboSqlSel.UserSelect(2);
    platform_->QueueAnswer(MsgResult::Yes);  // refused: file_commands
    W().tlbFrmMain.UserClickButton("FileNew");
    EXPECT_EQ(W().gdblChannel, EmptyChannelTable());
    EXPECT_EQ(W().cboSqlSel.ListIndex(), W().gintDefSql);
    EXPECT_TRUE(W().txtReceFre.HasFocus());
    EXPECT_TRUE(W().gbytMatrixCode == BlankImage());
    EXPECT_EQ(Config("Path"), Scratch().string());
    EXPECT_FALSE(fs::exists(Scratch()));

    platform_->QueueAnswer(MsgResult::Yes);
    W().mnuFileSave.UserClick();
    W().SetConvert();
    EXPECT_TRUE(FileBytes(Scratch()) == ImageBytes(W().gbytMatrixCode));
    // Blank channels and the default settings, not the file opened before.
    EXPECT_EQ(FileBytes(Scratch())[layout::kChannelRecordAt], '\xFF');
}

TEST_F(FilesTest, FailedSavesShowSaveFileFailedAndKeepCurrentFileAndOldFile) {
    StartWith(kModel400To470, 1);
    const fs::path keep = MakeDataFile("keep.Dat", "440");
    const std::string old = FileBytes(keep);
    Open(keep);
    AcceptChannel(1, "450", "450");
    fs::create_directory(folder_ / "folder.Dat");

    // Save As: a folder chosen as the file, a missing folder, and a name the dialog refused.
    for (int i = 0; i < 3; ++i) platform_->QueueAnswer(MsgResult::OK);
    platform_->QueueFileName((folder_ / "folder.Dat").string());
    W().mnuFileSaveAs.UserClick();
    platform_->QueueFileName((folder_ / "gone" / "x.Dat").string());
    W().mnuFileSaveAs.UserClick();
    platform_->QueueFileName((folder_ / "refused.Dat").string(), true);
    W().mnuFileSaveAs.UserClick();
    EXPECT_TRUE(FileBytes(keep) == old);
    // Save to a current file whose name has become a folder.
    fs::remove(keep);
    fs::create_directory(keep);
    platform_->QueueAnswer(MsgResult::Yes);
    platform_->QueueAnswer(MsgResult::OK);
    W().mnuFileSave.UserClick();

    ASSERT_EQ(MessageCount(), 5u);
    for (std::size_t i : {0u, 1u, 2u, 4u}) {
        EXPECT_EQ(platform_->Messages()[i].prompt, "保存文件出错！") << i;
        EXPECT_EQ(platform_->Messages()[i].icon, MsgIcon::Critical) << i;
    }
    EXPECT_FALSE(fs::exists(folder_ / "refused.Dat"));
    EXPECT_EQ(W().gstrCurrentFile, keep.string());
    EXPECT_EQ(FilePanel(), "文件名: " + keep.string());
    EXPECT_EQ(platform_->PendingAnswers(), 0u);
}

}  // namespace
}  // namespace rvm46::testing
