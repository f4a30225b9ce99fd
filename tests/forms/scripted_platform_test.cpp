// The scripted platform itself: an answer that was not queued fails loudly, and a modal window
// left open by its script is a failure too.

#include "support/scripted_platform.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "forms/test_form.h"

namespace rvm46::forms::testing {
namespace {

TEST(ScriptedPlatform, UnscriptedMessageBoxOrFileDialogFailsLoudly) {
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
    FileDialog dialog;
    EXPECT_THROW(platform.ShowOpenDialog(dialog), ScriptExhausted);
}

TEST(ScriptedPlatform, ModalWindowsLeftOpenFailAndUnscriptedOnesAreClosedAsByTheUser) {
    ScriptedPlatform platform;
    TestForm dialog(platform, "frmDialog");
    platform.QueueModal([](Form&) {});
    EXPECT_THROW(dialog.ShowModal(nullptr), ScriptExhausted);

    TestForm other(platform, "frmOther");
    UnloadMode mode = UnloadMode::FormCode;
    other.FormQueryUnload = [&](bool&, UnloadMode m) { mode = m; };
    other.ShowModal(nullptr);
    EXPECT_FALSE(other.Loaded());
    EXPECT_EQ(mode, UnloadMode::FormControlMenu);
}

TEST(ScriptedPlatform, ProgramFolderIsAFreshTemporaryFolder) {
    std::string folder;
    {
        ScriptedPlatform platform;
        folder = platform.ProgramFolder();
        EXPECT_FALSE(platform.FolderExists(folder + "/Data"));
        platform.CreateFolder(folder + "/Data");
        EXPECT_TRUE(platform.FolderExists(folder + "/Data"));
        EXPECT_THROW(platform.CreateFolder(folder + "/missing/Data"), RunTimeError);
    }
    EXPECT_FALSE(std::filesystem::exists(folder));
}

}  // namespace
}  // namespace rvm46::forms::testing
