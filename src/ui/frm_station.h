#pragma once
// The programming station window: the current codeplug written to radio after radio, each backed
// up, checked and verified, with a job folder under Data/Jobs. It runs one protocol frame per tick
// of its timer, so the window keeps painting and Esc (closing the window) stops the radio being
// programmed at the next frame. While a radio is awaited the timer polls for it every 500 ms.
// Nothing of the main window changes; its codeplug is only read.

#include <chrono>
#include <memory>
#include <optional>

#include "comm/presence.h"
#include "comm/station_cycle.h"
#include "forms/forms.h"
#include "storage/job_folder.h"

namespace rvm46::ui {

class FrmMain;

class FrmStation : public forms::Form {
  public:
    static constexpr int kListRows = 8;

    FrmStation(forms::Platform& platform, FrmMain& main);
    ~FrmStation() override;

    forms::Frame& fraTemplate = Add<forms::Frame>("fraTemplate");
    forms::Label& lblTemplateFile = Add<forms::Label>("lblTemplateFile", "fraTemplate");
    forms::Label& lblTemplateModel = Add<forms::Label>("lblTemplateModel", "fraTemplate");
    forms::Label& lblTemplateChannels = Add<forms::Label>("lblTemplateChannels", "fraTemplate");
    forms::Label& lblPort = Add<forms::Label>("lblPort", "fraTemplate");
    forms::Frame& fraOptions = Add<forms::Frame>("fraOptions");
    forms::OptionButton& optAuto = Add<forms::OptionButton>("optAuto", "fraOptions");
    forms::OptionButton& optByHand = Add<forms::OptionButton>("optByHand", "fraOptions");
    forms::CheckBox& chkOtherModel = Add<forms::CheckBox>("chkOtherModel", "fraOptions");
    forms::Label& lblStatus = Add<forms::Label>("lblStatus");
    forms::ProgressBar& prgCycle = Add<forms::ProgressBar>("prgCycle");
    forms::Label& lblCounts = Add<forms::Label>("lblCounts");
    forms::Frame& fraRadios = Add<forms::Frame>("fraRadios");
    forms::ControlArray<forms::Label>& lblRadio = AddArray<forms::Label>("lblRadio", "fraRadios");
    forms::Label& lblJob = Add<forms::Label>("lblJob");
    forms::CommandButton& cmdStart = Add<forms::CommandButton>("cmdStart");
    forms::CommandButton& cmdStop = Add<forms::CommandButton>("cmdStop");
    forms::Timer& tmrStation = Add<forms::Timer>("tmrStation");

  private:
    enum class Mode { kIdle, kWaiting, kCycle };

    void Form_Load();
    void Form_QueryUnload(bool& cancel, forms::UnloadMode mode);
    void cmdStart_Click();
    void cmdStop_Click();
    void tmrStation_Timer();

    std::string Text(std::string_view key) const;
    std::string Text(std::string_view key, const std::string& first,
                     const std::string& second = {}) const;
    void Refused(const std::string& message);
    // The template, the job folder and the line, made ready by the first Start; false when refused.
    bool PrepareJob();
    bool OpenLine();
    void BeginCycle();
    void FinishCycle();
    void EndRun(const std::string& status);
    void SetMode(Mode mode);
    void ShowStatus(const std::string& text, forms::Color back, forms::Color fore);
    void ShowCounts();

    FrmMain& main_;
    Mode mode_ = Mode::kIdle;
    std::optional<storage::JobFolder> job_;
    std::string port_;
    std::unique_ptr<comm::SerialLine> line_;
    comm::PresenceWatch watch_;
    comm::CycleSetup setup_;
    std::optional<comm::StationCycle> cycle_;
    int radio_ = 0;
    int passed_ = 0;
    int failed_ = 0;
    storage::JobClock::time_point started_;
    std::vector<std::string> rows_;  // newest first
};

}  // namespace rvm46::ui
