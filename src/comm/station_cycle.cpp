#include "comm/station_cycle.h"

#include <cstdio>

#include "editing/frequency.h"
#include "model/image_codec.h"
#include "model/run_time_error.h"

namespace rvm46::comm {

namespace {

// Addresses 000h..3D7h: everything a write sends.
constexpr std::size_t kWrittenBytes = kWriteBlockCount * kBlockSize;
// The first differing addresses named in a verify failure.
constexpr int kNamedDifferences = 4;

std::string Hex(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*Xh", digits, value);
    return text;
}

}  // namespace

const char* ResultName(RadioResult result) {
    switch (result) {
        case RadioResult::kPass:
            return "pass";
        case RadioResult::kOtherModel:
            return "other-model";
        case RadioResult::kFail:
            break;
    }
    return "fail";
}

const char* StepName(CycleStep step) {
    switch (step) {
        case CycleStep::kBackup:
            return "backup read";
        case CycleStep::kCheck:
            return "model check";
        case CycleStep::kWrite:
            return "write";
        case CycleStep::kVerify:
        case CycleStep::kDone:
            break;
    }
    return "verify read";
}

std::string ModelName(const CodeplugImage& image, const ModelTable& models) {
    const std::uint8_t code = image[layout::kModelCodeAt];
    if (const auto m = FindModelByCode(models, code)) {
        return models.gstrModel[static_cast<std::size_t>(4 * *m)];
    }
    return "unknown (model code " + Hex(code, 2) + ")";
}

std::vector<std::string> CheckTemplate(const CodeplugImage& image, const ModelTable& models,
                                       const ToneTable& tones) {
    CodeplugImage copy = image;  // decoding rewrites channel bytes in place
    const DecodedImage decoded = DecodeImage(copy, models, tones);
    if (!decoded.model) {
        return {"the file names no model of the configuration (model code " +
                Hex(decoded.modelCode, 2) + ")"};
    }
    const int m = *decoded.model;
    editing::Band band;
    if (!RunToErrorExit([&] { band = editing::ModelBand(models, m); })) {
        return {"the band of model " + models.gstrModel[static_cast<std::size_t>(4 * m)] +
                " cannot be read from the configuration"};
    }
    const std::string label = models.gstrFreRange[static_cast<std::size_t>(m)];
    const std::string range = band.is446 ? "446.00625-446.09375MHz" : label;
    std::vector<std::string> faults;
    for (std::size_t k = 0; k < decoded.channels.size(); ++k) {
        if (!decoded.channels[k]) continue;
        const auto& ch = *decoded.channels[k];
        for (const auto& [mhz, side] : {std::pair{ch[0], "receive"}, {ch[1], "transmit"}}) {
            if (mhz == -1 || editing::InBand(band, mhz)) continue;
            faults.push_back("channel " + std::to_string(k + 1) + ": " + side + " " +
                             editing::FormatFrequency(mhz) + " MHz is outside " + range);
        }
    }
    return faults;
}

StationCycle::StationCycle(SerialLine& line, const CycleSetup& setup)
    : line_(line), setup_(setup), backup_(BlankImage()), verify_(BlankImage()) {}

Outcome StationCycle::ReadFrame(CodeplugImage& image) {
    if (frame_ == 0) return Handshake(line_, state_, setup_.timing);
    if (frame_ == kReadFrames - 1) return SendClosingAcknowledge(line_, state_);
    const int n = frame_ - 1;
    state_.gintSendDataCnt = static_cast<std::int16_t>(n);
    if (Outcome o = AcknowledgeExchange(line_, state_, n, setup_.timing); !o.ok()) return o;
    CountBlockFrame(state_, image, n);
    return RequestBlock(line_, state_, image, n, setup_.timing);
}

Outcome StationCycle::WriteFrame() {
    if (frame_ == 0) return Handshake(line_, state_, setup_.timing);
    if (frame_ == 1) return AcknowledgeExchange(line_, state_, -1, setup_.timing);
    const int n = frame_ - 2;
    state_.gintSendDataCnt = static_cast<std::int16_t>(n);
    CountBlockFrame(state_, setup_.image, n);
    return SendBlockFrame(line_, state_, n, setup_.timing);
}

void StationCycle::Fail(const std::string& reason, RadioResult result) {
    report_.result = result;
    report_.endedAt = step_;
    report_.reason = reason;
    step_ = CycleStep::kDone;
}

bool StationCycle::Advance() {
    if (step_ == CycleStep::kDone) return false;
    if (stopRequested_) {
        static const char* const kWhat[] = {
            "stopped by the user during the backup read; the radio was not written",
            "stopped by the user before the write; the radio was not written",
            "stopped by the user during the write; the radio may be half-written",
            "stopped by the user during the verify read; the radio was written but not checked"};
        Fail(kWhat[static_cast<int>(step_)]);
        return false;
    }
    if (step_ == CycleStep::kCheck) {
        Check();
        return step_ != CycleStep::kDone;
    }
    const bool writing = step_ == CycleStep::kWrite;
    CodeplugImage& target = step_ == CycleStep::kBackup ? backup_ : verify_;
    const Outcome o = writing ? WriteFrame() : ReadFrame(target);
    if (!o.ok()) {
        Fail(std::string(StepName(step_)) + ": " + o.Message());
        return false;
    }
    ++done_;
    ++frame_;
    if (frame_ < (writing ? kWriteFrames : kReadFrames)) return true;
    frame_ = 0;
    if (step_ == CycleStep::kBackup) {
        report_.modelBefore = setup_.models ? ModelName(backup_, *setup_.models) : "";
        const std::string refused = setup_.saveBackup ? setup_.saveBackup(backup_) : "";
        if (!refused.empty()) {
            Fail("the backup cannot be stored, so the radio was not written: " + refused);
            return false;
        }
        report_.backupSaved = true;
        step_ = CycleStep::kCheck;
    } else if (step_ == CycleStep::kWrite) {
        step_ = CycleStep::kVerify;
    } else {
        Compare();
        return false;
    }
    return true;
}

void StationCycle::Check() {
    const std::uint8_t radio = backup_[layout::kModelCodeAt];
    const std::uint8_t file = setup_.image[layout::kModelCodeAt];
    if (radio != file && !setup_.allowOtherModel) {
        const std::string fileModel = setup_.models ? ModelName(setup_.image, *setup_.models) : "";
        Fail("radio: " + report_.modelBefore + ", file: " + fileModel, RadioResult::kOtherModel);
        done_ = kFrames;
        return;
    }
    step_ = CycleStep::kWrite;
}

void StationCycle::Compare() {
    std::string named;
    int count = 0;
    for (std::size_t a = 0; a < kWrittenBytes; ++a) {
        const std::uint8_t wrote = setup_.image[layout::kHeaderSize + a];
        const std::uint8_t has = verify_[layout::kHeaderSize + a];
        if (wrote == has) continue;
        if (count < kNamedDifferences) {
            named += (count ? ", " : "") + Hex(static_cast<unsigned>(a), 3) + " wrote " +
                     Hex(wrote, 2) + ", the radio holds " + Hex(has, 2);
        }
        ++count;
    }
    if (count == 0) {
        report_.result = RadioResult::kPass;
        report_.endedAt = CycleStep::kDone;
        step_ = CycleStep::kDone;
        return;
    }
    Fail("verify read: " + std::to_string(count) +
         (count == 1 ? " address differs: " : " addresses differ, the first: ") + named);
}

}  // namespace rvm46::comm
