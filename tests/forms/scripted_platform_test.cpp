// The scripted platform itself: answers must be queued, everything is recorded.

#include "support/scripted_platform.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "forms/test_form.h"

namespace rvm46::forms::testing {
namespace {

TEST(ScriptedPlatform, MessageBoxWithoutQueuedAnswerFailsLoudly) {
    ScriptedPlatform platform;
    TestForm form(platform);
    form.Load();
    // Not a RunTimeError, so an error exit around the handler cannot hide it.
    form.cmdOK.Click = [&] {
        RunToErrorExit([&] {
            platform.MsgBox("Are you sure want to exit?", MsgButtons::YesNo, MsgIcon::Question,
                            "Notice");
        });
    };
    EXPECT_THROW(form.cmdOK.UserClick(), ScriptExhausted);
    EXPECT_TRUE(platform.Messages().empty());
}

TEST(ScriptedPlatform, RecordsMessagesWithTheirAnswers) {
    ScriptedPlatform platform;
    platform.QueueAnswer(MsgResult::No);
    platform.QueueAnswer(MsgResult::OK);
    EXPECT_EQ(platform.MsgBox("q?", MsgButtons::YesNo, MsgIcon::Question, "Notice"), MsgResult::No);
    EXPECT_EQ(platform.MsgBox("bad", MsgButtons::OK, MsgIcon::Critical, "Notice"), MsgResult::OK);
    ASSERT_EQ(platform.Messages().size(), 2u);
    EXPECT_EQ(platform.Messages()[0].prompt, "q?");
    EXPECT_EQ(platform.Messages()[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(platform.Messages()[1].icon, MsgIcon::Critical);
    EXPECT_EQ(platform.Messages()[1].answer, MsgResult::OK);
    EXPECT_EQ(platform.PendingAnswers(), 0u);
}

TEST(ScriptedPlatform, FileDialogsAnswerInOrderAndCancelKeepsTheName) {
    ScriptedPlatform platform;
    platform.QueueFileDialog(FileDialogAnswer::Cancel());
    platform.QueueFileDialog(FileDialogAnswer::Choose("/tmp/a.Dat"));
    FileDialog open;
    open.Filter = "Data File(*.Dat)";
    platform.ShowOpenDialog(open);
    EXPECT_TRUE(open.Cancelled);
    EXPECT_EQ(open.FileName, "");
    FileDialog save;
    save.DefaultExt = "dat";
    platform.ShowSaveDialog(save);
    EXPECT_EQ(save.FileName, "/tmp/a.Dat");
    ASSERT_EQ(platform.FileDialogs().size(), 2u);
    EXPECT_EQ(platform.FileDialogs()[0].kind, FileDialogKind::Open);
    EXPECT_EQ(platform.FileDialogs()[0].request.Filter, "Data File(*.Dat)");
    EXPECT_EQ(platform.FileDialogs()[1].request.DefaultExt, "dat");
    FileDialog third;
    EXPECT_THROW(platform.ShowOpenDialog(third), ScriptExhausted);
}

TEST(ScriptedPlatform, ModalFormLeftOpenByTheScriptFails) {
    ScriptedPlatform platform;
    TestForm dialog(platform, "frmDialog");
    platform.QueueModal([](Form&) {});
    EXPECT_THROW(dialog.ShowModal(nullptr), ScriptExhausted);
}

TEST(ScriptedPlatform, ModalWithoutScriptIsClosedAsByTheUser) {
    ScriptedPlatform platform;
    TestForm dialog(platform, "frmDialog");
    UnloadMode mode = UnloadMode::FormCode;
    dialog.FormQueryUnload = [&](bool&, UnloadMode m) { mode = m; };
    dialog.ShowModal(nullptr);
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_EQ(mode, UnloadMode::FormControlMenu);
}

TEST(ScriptedPlatform, ProgramFolderIsAFreshTemporaryFolder) {
    std::string folder;
    {
        ScriptedPlatform platform;
        folder = platform.ProgramFolder();
        EXPECT_TRUE(platform.FolderExists(folder));
        EXPECT_FALSE(platform.FolderExists(folder + "/Data"));
        platform.CreateFolder(folder + "/Data");
        EXPECT_TRUE(platform.FolderExists(folder + "/Data"));
        EXPECT_THROW(platform.CreateFolder(folder + "/missing/Data"), RunTimeError);
        platform.ShellOpen(folder + "/Help/EngHELP_5100.chm");
        platform.EndProcess();
        platform.Sleep(1);
        EXPECT_EQ(platform.ShellOpens().size(), 1u);
        EXPECT_EQ(platform.EndProcessCount(), 1);
        EXPECT_EQ(platform.SleptMilliseconds(), 1);
    }
    EXPECT_FALSE(std::filesystem::exists(folder));
}

}  // namespace
}  // namespace rvm46::forms::testing
