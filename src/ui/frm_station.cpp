#include "ui/frm_station.h"

#include <ctime>
#include <filesystem>

#include "model/image_codec.h"
#include "model/run_time_error.h"
#include "ui/frm_main.h"
#include "ui/station_texts.h"

namespace rvm46::ui {

using namespace forms;

namespace {

constexpr Color kGreen = 0x00A000;  // 0xBBGGRR
constexpr Color kRed = 0x0000D0;
constexpr Color kWhite = 0xFFFFFF;
constexpr int kPollInterval = static_cast<int>(comm::kPresencePeriod.count());
constexpr int kFrameInterval = 1;  // one frame per tick; the events between ticks are handled

std::string ClockTime(storage::JobClock::time_point when) {
    const std::time_t t = storage::JobClock::to_time_t(when);
    std::tm local{};
    localtime_r(&t, &local);
    char text[16];
    std::strftime(text, sizeof text, "%H:%M:%S", &local);
    return text;
}

}  // namespace

void FrmMain::mnuStation_Click() {
    RunToErrorExit([&] {
        if (!frmStation) frmStation = std::make_unique<FrmStation>(Host(), *this);
        frmStation->ShowModal(this);
    });
}

FrmStation::FrmStation(Platform& platform, FrmMain& main)
    : Form(platform, "frmStation"), main_(main) {
    for (int i = 0; i < kListRows; ++i) lblRadio.Add(i);
    prgCycle.SetMin(0);
    prgCycle.SetMax(comm::StationCycle::kFrames);
    tmrStation.SetInterval(kPollInterval);
    tmrStation.SetEnabled(false);
    FormLoad = [this] { Form_Load(); };
    FormQueryUnload = [this](bool& cancel, UnloadMode mode) { Form_QueryUnload(cancel, mode); };
    cmdStart.Click = [this] { cmdStart_Click(); };
    cmdStop.Click = [this] { cmdStop_Click(); };
    tmrStation.TimerEvent = [this] { tmrStation_Timer(); };
}

FrmStation::~FrmStation() {
    if (line_) line_->Close();
}

std::string FrmStation::Text(std::string_view key) const {
    return StationText(key, main_.gintLanguage);
}

std::string FrmStation::Text(std::string_view key, const std::string& first,
                             const std::string& second) const {
    return StationText(key, main_.gintLanguage, first, second);
}

void FrmStation::Form_Load() {
    RunToErrorExit([&] {
        const std::string font =
            main_.gintLanguage == kLanguageChinese ? main_.gstrChsFont : main_.gstrEngFont;
        SetBackColor(main_.gdblColorFull);
        SetFontName(font);
        for (Control* control : Controls()) {
            control->SetFontName(font);
            if (control != &lblStatus) control->SetBackColor(main_.gdblColorFull);
        }
        SetCaption(Text("frmStation.Caption"));
        for (auto* c : std::initializer_list<CaptionedControl*>{&fraTemplate, &fraOptions, &optAuto,
                                                                &optByHand, &chkOtherModel,
                                                                &fraRadios, &cmdStart, &cmdStop}) {
            c->SetCaption(Text(c->Name() + ".Caption"));
        }
        const bool named = main_.gstrCurrentFile && !main_.gstrCurrentFile->empty();
        // The file's name; its whole path in the tool tip.
        lblTemplateFile.SetCaption(
            Text("lblTemplateFile",
                 named ? std::filesystem::path(*main_.gstrCurrentFile).filename().string()
                       : Text("lblTemplateFile.none")));
        lblTemplateFile.SetToolTipText(named ? *main_.gstrCurrentFile : "");
        const int model = main_.cboTypeSel.ListIndex();
        lblTemplateModel.SetCaption(
            Text("lblTemplateModel", model >= 0 ? main_.cboTypeSel.List(model) : "-"));
        int used = 0;
        for (const auto& channel : main_.gdblChannel) used += channel[0] != -1 ? 1 : 0;
        lblTemplateChannels.SetCaption(Text("lblTemplateChannels", std::to_string(used)));
        lblPort.SetCaption(Text("lblPort", "COM" + std::to_string(main_.gintComPort)));
        optAuto.SetValue(true);
        chkOtherModel.SetValue(0);
        job_.reset();
        rows_.clear();
        radio_ = passed_ = failed_ = 0;
        for (int i = 0; i < kListRows; ++i) lblRadio(i).SetCaption("");
        lblJob.SetCaption("");
        prgCycle.SetValue(0);
        ShowCounts();
        SetMode(Mode::kIdle);
        ShowStatus(Text("status.ready"), main_.gdblColorFull, kColorBlack);
        cmdStart.SetFocus();
    });
}

// Closing the window (Esc, or its frame) while a job runs stops it instead; the next close closes.
void FrmStation::Form_QueryUnload(bool& cancel, UnloadMode /*mode*/) {
    if (mode_ == Mode::kIdle) {
        if (line_) line_->Close();
        return;
    }
    cancel = true;
    cmdStop_Click();
}

void FrmStation::ShowStatus(const std::string& text, Color back, Color fore) {
    lblStatus.SetCaption(text);
    lblStatus.SetBackColor(back);
    lblStatus.SetForeColor(fore);
}

void FrmStation::ShowCounts() {
    lblCounts.SetCaption(Text("lblCounts", std::to_string(passed_), std::to_string(failed_)));
}

void FrmStation::SetMode(Mode mode) {
    mode_ = mode;
    const bool idle = mode == Mode::kIdle;
    cmdStart.SetEnabled(idle);
    cmdStop.SetEnabled(!idle);
    optAuto.SetEnabled(idle);
    optByHand.SetEnabled(idle);
    chkOtherModel.SetEnabled(idle);
    tmrStation.SetInterval(mode == Mode::kCycle ? kFrameInterval : kPollInterval);
    tmrStation.SetEnabled(!idle);
}

void FrmStation::Refused(const std::string& message) {
    Host().MsgBox(message, MsgButtons::OK, MsgIcon::Exclamation, main_.texts["msg.title"]);
}

bool FrmStation::PrepareJob() {
    if (job_) return true;
    CodeplugImage image = BlankImage();
    const ListSelections lists = main_.CurrentLists();
    if (!RunToErrorExit(
            [&] { EncodeImage(image, main_.gdblChannel, lists, main_.models, main_.tones); })) {
        Refused(Text("msg.templateRefused"));
        return false;
    }
    if (const auto faults = comm::CheckTemplate(image, main_.models, main_.tones);
        !faults.empty()) {
        std::string message = Text("msg.templateRefused");
        for (const std::string& fault : faults) message += "\n" + fault;
        Refused(message);
        return false;
    }
    const std::string folder = main_.ProgramFilePath(
        "\\Data\\Jobs\\" + storage::JobFolderName(storage::JobClock::now(), true));
    std::string error;
    job_ = storage::JobFolder::Create(folder, image, &error);
    if (!job_) {
        Refused(Text("msg.jobFailed", error));
        return false;
    }
    lblJob.SetCaption(Text("lblJob", folder));
    setup_ = {};
    setup_.image = image;
    setup_.models = &main_.models;
    return true;
}

bool FrmStation::OpenLine() {
    if (line_ && line_->IsOpen()) return true;
    const std::string com = "COM" + std::to_string(main_.gintComPort);
    std::string error;
    const auto device = comm::ResolvePort(com, main_.MapComPorts(), &error);
    if (device && main_.Serial() == nullptr) error = "this program has no access to serial ports";
    if (device && main_.Serial() != nullptr) {
        line_ = main_.Serial()->NewLine();
        const comm::LineStatus status = line_->Open(*device);
        if (status.ok()) {
            port_ = com;  // logged as the user knows it, like `rvm46 program --port COM1`
            return true;
        }
        error = status.message();
    }
    Refused(Text("msg.portFailed", error));
    return false;
}

void FrmStation::cmdStart_Click() {
    RunToErrorExit([&] {
        if (mode_ != Mode::kIdle || !PrepareJob() || !OpenLine()) return;
        setup_.allowOtherModel = chkOtherModel.Value() == 1;
        if (optAuto.Value()) {
            SetMode(Mode::kWaiting);
            ShowStatus(Text(watch_.WaitingForRemoval() ? "status.remove" : "status.waiting"),
                       main_.gdblColorFull, kColorBlack);
        } else {
            BeginCycle();
        }
    });
}

void FrmStation::cmdStop_Click() {
    RunToErrorExit([&] {
        if (mode_ == Mode::kCycle && cycle_) {
            cycle_->Stop();
            cycle_->Advance();  // ends it as stopped
            FinishCycle();
            EndRun("");  // the radio's result says it was stopped
        } else if (mode_ != Mode::kIdle) {
            EndRun(Text("status.stopped"));
        }
    });
}

void FrmStation::EndRun(const std::string& status) {
    SetMode(Mode::kIdle);
    if (line_) line_->Close();
    if (!status.empty()) ShowStatus(status, main_.gdblColorFull, kColorBlack);
    cmdStart.SetFocus();
}

void FrmStation::tmrStation_Timer() {
    RunToErrorExit([&] {
        if (mode_ == Mode::kWaiting) {
            comm::Presence presence = comm::Presence::kNoRadio;
            if (comm::LineStatus s = watch_.Poll(*line_, presence); !s.ok()) {
                EndRun(Text("msg.lineFailed", s.message()));
                return;
            }
            if (presence == comm::Presence::kNewRadio) return BeginCycle();
            // A result stays shown until the next radio starts.
            if (lblStatus.BackColor() == main_.gdblColorFull) {
                ShowStatus(Text(watch_.WaitingForRemoval() ? "status.remove" : "status.waiting"),
                           main_.gdblColorFull, kColorBlack);
            }
            return;
        }
        if (mode_ != Mode::kCycle || !cycle_) return;
        const bool more = cycle_->Advance();
        prgCycle.SetValue(cycle_->FramesDone());
        static const char* const kStatus[] = {"status.backup", "status.check", "status.write",
                                              "status.verify"};
        if (more) {
            const auto step = static_cast<std::size_t>(cycle_->step());
            if (step < 4 && lblStatus.Caption() != Text(kStatus[step])) {
                ShowStatus(Text(kStatus[step]), main_.gdblColorFull, kColorBlack);
            }
            return;
        }
        FinishCycle();
        if (optAuto.Value()) {
            SetMode(Mode::kWaiting);
        } else {
            EndRun("");
        }
    });
}

void FrmStation::BeginCycle() {
    ++radio_;
    started_ = storage::JobClock::now();
    const int radio = radio_;
    setup_.saveBackup = [this, radio](const CodeplugImage& b) {
        return job_->SaveBackup(radio, b);
    };
    cycle_.emplace(*line_, setup_);
    prgCycle.SetValue(0);
    SetMode(Mode::kCycle);
    ShowStatus(Text("status.backup"), main_.gdblColorFull, kColorBlack);
    Host().PumpPaint();
}

void FrmStation::FinishCycle() {
    const comm::CycleReport report = cycle_->report();
    cycle_.reset();
    watch_.RadioDone();
    const std::string result = comm::ResultName(report.result);
    const std::string backup = report.backupSaved ? job_->BackupPath(radio_).string() : "";
    const std::string logged = job_->AppendLog({radio_, started_, storage::JobClock::now(), port_,
                                                result, report.reason, report.modelBefore, backup});
    const bool pass = report.result == comm::RadioResult::kPass;
    (pass ? passed_ : failed_) += 1;
    ShowCounts();
    rows_.insert(rows_.begin(), std::to_string(radio_) + "   " + ClockTime(started_) + "   " +
                                    Text("result." + result) + (pass ? "" : "   " + report.reason));
    if (rows_.size() > kListRows) rows_.pop_back();
    for (int i = 0; i < kListRows; ++i) {
        lblRadio(i).SetCaption(
            i < static_cast<int>(rows_.size()) ? rows_[static_cast<std::size_t>(i)] : "");
    }
    if (pass) {
        prgCycle.SetValue(comm::StationCycle::kFrames);
        ShowStatus(Text("status.pass"), kGreen, kWhite);
    } else {
        const bool other = report.result == comm::RadioResult::kOtherModel;
        ShowStatus(Text(other ? "status.otherModel" : "status.fail", report.reason), kRed, kWhite);
    }
    Host().PlaySound(pass ? Sound::kPass : Sound::kFail);
    if (!logged.empty()) Refused(Text("msg.logFailed", logged));
}

}  // namespace rvm46::ui
