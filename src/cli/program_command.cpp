#include "cli/program_command.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <thread>

#include "cli/codeplug_json.h"
#include "cli/radio_commands.h"
#include "comm/presence.h"
#include "comm/station_cycle.h"
#include "storage/job_folder.h"
#include "storage/settings.h"
#include "storage/tone_file.h"

namespace rvm46::cli {

namespace {

using Clock = std::chrono::steady_clock;

std::atomic<bool> stopRequested{false};

void RequestStop(int) {
    stopRequested = true;
}

// Ctrl+C ends the job instead of the process while the station runs.
class StopOnInterrupt {
  public:
    StopOnInterrupt() {
        stopRequested = false;
        struct sigaction action {};
        action.sa_handler = RequestStop;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &previous_);
    }
    ~StopOnInterrupt() { sigaction(SIGINT, &previous_, nullptr); }
    StopOnInterrupt(const StopOnInterrupt&) = delete;
    StopOnInterrupt& operator=(const StopOnInterrupt&) = delete;

  private:
    struct sigaction previous_ {};
};

// "radio 3 [##########..........] writing" redrawn in place on a terminal.
void DrawBar(std::ostream& err, int radio, const comm::StationCycle& cycle) {
    constexpr int kWidth = 30;
    const int filled = cycle.FramesDone() * kWidth / comm::StationCycle::kFrames;
    err << "\rradio " << radio << " [" << std::string(static_cast<std::size_t>(filled), '#')
        << std::string(static_cast<std::size_t>(kWidth - filled), '.') << "] "
        << comm::StepName(cycle.step()) << "   " << std::flush;
}

std::string Seconds(Clock::duration d) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", std::chrono::duration<double>(d).count());
    return text;
}

// Waits for a radio not yet programmed; false when stopped first.
bool AwaitRadio(comm::SerialLine& line, comm::PresenceWatch& watch, std::ostream& err,
                bool progress, const comm::Timing& timing) {
    bool told = false;
    while (!stopRequested) {
        const auto began = Clock::now();
        comm::Presence presence = comm::Presence::kNoRadio;
        if (comm::LineStatus s = watch.Poll(line, presence, timing.presenceWait); !s.ok()) {
            throw InputError("serial port error while waiting for a radio: " + s.message());
        }
        if (presence == comm::Presence::kNewRadio) return true;
        if (progress && !told) {
            err << "\r"
                << (watch.WaitingForRemoval() ? "remove the radio, then attach the next"
                                              : "waiting for a radio")
                << "...   " << std::flush;
            told = true;
        }
        while (!stopRequested && Clock::now() - began < timing.presencePeriod) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    return false;
}

}  // namespace

ProgramCommand::ProgramCommand(CLI::App& app, std::string& config, std::string& tones,
                               const comm::Timing& timing)
    : config_(config), tones_(tones), timing_(timing) {
    program_ = app.add_subcommand(
        "program", "write one data file to radio after radio: backup, model check, write, verify");
    program_->add_option("--config", config_, "configuration file with the model table");
    program_->add_option("--tones", tones_, "tone list file");
    program_->add_option("--port", port_, "COM1..COM16 or a device path")->required();
    program_->add_option("--count", count_, "stop after N radios (default: until Ctrl+C)")
        ->check(CLI::Range(1, 999));
    program_->add_option("--job-dir", jobDir_,
                         "job folder (default rvm46-job-YYYYMMDD-HHMMSS in the current folder)");
    program_->add_flag("--allow-other-model", allowOtherModel_,
                       "write radios of another model than the template's too");
    program_->add_flag("--no-wait", noWait_, "program the radio attached now, once");
    program_->add_option("TEMPLATE", template_, "data file to write (.Dat)")->required();
}

int ProgramCommand::Run(comm::SerialSystem& serial, std::ostream& out, std::ostream& err,
                        bool progress) {
    const CodeplugImage image = Reencode(template_, config_, tones_, err);
    const storage::ConfigFile configFile(config_);
    const ModelTable models = configFile.ReadModelTable();
    const ToneTable tones = storage::LoadToneTable(tones_);
    if (const auto faults = comm::CheckTemplate(image, models, tones); !faults.empty()) {
        err << "rvm46: the template \"" << template_ << "\" is refused; no radio was touched:\n";
        for (const std::string& fault : faults) err << "  " << fault << "\n";
        return 1;
    }
    const std::string device = DeviceFor(port_, config_, serial);
    const std::string folder =
        jobDir_.empty() ? storage::JobFolderName(storage::JobClock::now(), false) : jobDir_;
    std::string error;
    const auto job = storage::JobFolder::Create(folder, image, &error);
    if (!job) throw InputError(error);
    const auto line = serial.NewLine();
    if (comm::LineStatus s = line->Open(device); !s.ok())
        throw InputError(OpenMessage(s.message()));

    StopOnInterrupt stopOnInterrupt;
    comm::PresenceWatch watch;
    bool allPassed = true;
    for (int radio = 1; count_ == 0 || radio <= count_; ++radio) {
        if (!noWait_ && !AwaitRadio(*line, watch, err, progress, timing_)) break;
        if (stopRequested) break;
        const auto wallStart = storage::JobClock::now();
        const auto start = Clock::now();
        comm::CycleSetup setup;
        setup.image = image;
        setup.models = &models;
        setup.allowOtherModel = allowOtherModel_;
        setup.timing = timing_;
        setup.saveBackup = [&](const CodeplugImage& b) { return job->SaveBackup(radio, b); };
        comm::StationCycle cycle(*line, setup);
        while (cycle.Advance()) {
            if (stopRequested) cycle.Stop();
            if (progress) DrawBar(err, radio, cycle);
        }
        if (progress) err << "\r" << std::string(60, ' ') << "\r" << std::flush;
        watch.RadioDone();
        const comm::CycleReport& report = cycle.report();
        const std::string backup = report.backupSaved ? job->BackupPath(radio).string() : "";
        const std::string logged = job->AppendLog({radio, wallStart, storage::JobClock::now(),
                                                   port_, comm::ResultName(report.result),
                                                   report.reason, report.modelBefore, backup});
        out << "radio " << radio << ": " << comm::ResultName(report.result);
        if (report.result == comm::RadioResult::kPass) {
            out << " (" << Seconds(Clock::now() - start) << ")";
        } else {
            allPassed = false;
            const std::string step = std::string(comm::StepName(report.endedAt)) + ": ";
            out << (report.reason.starts_with(step) ? " at " : ": ") << report.reason;
            if (!backup.empty()) out << "; backup " << backup;
        }
        out << std::endl;
        if (!logged.empty()) throw InputError("the job log cannot be written: " + logged);
        if (noWait_ || stopRequested) break;
    }
    line->Close();
    if (progress) err << "\r" << std::string(60, ' ') << "\r" << std::flush;  // a waiting line
    return allPassed ? 0 : 1;
}

}  // namespace rvm46::cli
