#pragma once
// Starts the headless main window in a temporary program folder, with scripted platform services.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "storage/profile.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"
#include "ui/frm_main.h"

namespace rvm46::testing {

namespace fs = std::filesystem;
using forms::MsgIcon;
using forms::MsgResult;

class MainWindowTest : public ::testing::Test {
  protected:
    // Copies the delivered configuration and tone list into the program folder.
    void InstallDeliveredFiles() {
        fs::create_directories(folder_ / "Setting");
        for (const char* name : {"Config_5100.ini", "QTDQT_5100.ini"}) {
            fs::copy_file(DeliveredFile(name), folder_ / "Setting" / name,
                          fs::copy_options::overwrite_existing);
        }
    }
    fs::path ConfigFile() const { return folder_ / "Setting" / "Config_5100.ini"; }
    void SetConfig(const char* section, const char* key, const std::string& value) {
        fs::create_directories(folder_ / "Setting");
        ASSERT_TRUE(storage::ProfileWrite(ConfigFile(), section, key, value));
    }
    std::string Config(const char* key) const {
        return storage::ProfileRead(ConfigFile(), "Setting", key, "<missing>", 300);
    }

    // A new process: a fresh platform and window in the same program folder.
    ui::FrmMain& Start() {
        window_.reset();
        platform_ = std::make_unique<forms::testing::ScriptedPlatform>();
        platform_->SetProgramFolder(folder_.path().string());
        for (auto& action : pendingModals_) platform_->QueueModal(std::move(action));
        pendingModals_.clear();
        for (const forms::MsgResult answer : pendingAnswers_) platform_->QueueAnswer(answer);
        pendingAnswers_.clear();
        window_ = std::make_unique<ui::FrmMain>(*platform_);
        window_->Load();
        return *window_;
    }

    // The language window's answer at the next start: 1 Chinese, 2 English.
    void WillAnswerLanguage(int language) {
        pendingModals_.push_back([language](forms::Form& window) {
            dynamic_cast<forms::OptionButton&>(*window.Find("optSelCh", language - 1)).UserClick();
            dynamic_cast<forms::CommandButton&>(*window.Find("cmdOK")).UserClick();
        });
    }

    auto LanguageQuestions() const {
        return std::ranges::count(platform_->Modals(), std::string("frmSelLang"),
                                  &forms::testing::ShownModal::form);
    }

    TempDir folder_;
    // Message box answers for the next start.
    std::vector<forms::MsgResult> pendingAnswers_;
    std::unique_ptr<forms::testing::ScriptedPlatform> platform_;
    std::unique_ptr<ui::FrmMain> window_;
    std::vector<forms::testing::ScriptedPlatform::ModalAction> pendingModals_;
};

}  // namespace rvm46::testing
