#pragma once
// One radio at the programming station: its contents read and kept first (the backup), its model
// checked against the template's, the template written, and the radio read back and compared.
// The cycle runs one protocol frame per Advance, so a caller can stop it between frames or keep a
// window responsive; the CLI and the station window run the same steps:
//   backup read (130 frames), backup stored, model check, write (125 frames),
//   verify read (130 frames), comparison of addresses 000h..3D7h.
// The line is opened and closed by the caller.

#include <functional>
#include <string>
#include <vector>

#include "comm/transfer.h"
#include "model/model_table.h"
#include "model/tone_table.h"

namespace rvm46::comm {

enum class CycleStep { kBackup, kCheck, kWrite, kVerify, kDone };
enum class RadioResult { kPass, kFail, kOtherModel };

// "pass", "fail", "other-model".
const char* ResultName(RadioResult result);
// "backup read", "model check", "write", "verify read".
const char* StepName(CycleStep step);

struct CycleSetup {
    CodeplugImage image{};  // the template, exactly as it is written
    const ModelTable* models = nullptr;
    bool allowOtherModel = false;
    Timing timing;
    // Stores the radio's backup; "" when it is stored, else why not (the radio is then not
    // written).
    std::function<std::string(const CodeplugImage&)> saveBackup;
};

struct CycleReport {
    RadioResult result = RadioResult::kFail;
    CycleStep endedAt = CycleStep::kBackup;  // the step that failed or refused; kDone on a pass
    std::string reason;                      // empty on a pass
    std::string modelBefore;                 // the radio's model as read; empty before the backup
    bool backupSaved = false;
};

// The model named by an image's model code: its name, or "unknown (model code FFh)".
std::string ModelName(const CodeplugImage& image, const ModelTable& models);

// The template's faults that refuse it: no model it names, and every channel frequency outside the
// model's band ("channel 3: receive 480.00000 MHz is outside 400-470MHz"). Empty = usable.
std::vector<std::string> CheckTemplate(const CodeplugImage& image, const ModelTable& models,
                                       const ToneTable& tones);

class StationCycle {
  public:
    static constexpr int kReadFrames = 130;   // handshake, 128 blocks, closing acknowledge
    static constexpr int kWriteFrames = 125;  // handshake, acknowledge, 123 blocks
    static constexpr int kFrames = 2 * kReadFrames + kWriteFrames;

    StationCycle(SerialLine& line, const CycleSetup& setup);

    // Runs the next frame (or the check between backup and write); false once the cycle ended.
    bool Advance();
    // Ends the cycle before its next frame; it fails as stopped by the user.
    void Stop() { stopRequested_ = true; }

    CycleStep step() const { return step_; }
    // Frames exchanged so far, 0..kFrames (a refused radio jumps to the end).
    int FramesDone() const { return done_; }
    const CycleReport& report() const { return report_; }
    // What the radio held before it was written (blank header + the radio's bytes).
    const CodeplugImage& backup() const { return backup_; }

  private:
    Outcome ReadFrame(CodeplugImage& image);
    Outcome WriteFrame();
    void Fail(const std::string& reason, RadioResult result = RadioResult::kFail);
    void Check();
    void Compare();

    SerialLine& line_;
    const CycleSetup& setup_;
    ProtocolState state_;
    CycleStep step_ = CycleStep::kBackup;
    int frame_ = 0;  // frame within the running transfer
    int done_ = 0;
    bool stopRequested_ = false;
    CodeplugImage backup_;
    CodeplugImage verify_;
    CycleReport report_;
};

}  // namespace rvm46::comm
