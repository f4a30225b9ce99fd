#include "cli/radio_commands.h"

#include <cstdio>
#include <functional>

#include "cli/codeplug_json.h"
#include "cli/input_checks.h"
#include "cli/port_check.h"
#include "cli/transfer_interrupt.h"
#include "comm/port_names.h"
#include "comm/transfer.h"
#include "model/image_codec.h"
#include "model/run_time_error.h"
#include "model/tone_table.h"
#include "storage/image_file.h"
#include "storage/port_pins.h"
#include "storage/profile.h"
#include "storage/settings.h"
#include "storage/tone_file.h"

namespace rvm46::cli {

namespace {

#ifdef _WIN32
constexpr bool kWindowsNames = true;
#else
constexpr bool kWindowsNames = false;
#endif

// "reading  [##########..........]  64/128" redrawn in place.
class ProgressBar {
  public:
    ProgressBar(std::ostream& err, bool shown, const char* what, int total)
        : err_(err), shown_(shown), what_(what), total_(total) {}
    ~ProgressBar() {
        if (shown_ && drawn_) err_ << "\n" << std::flush;
    }
    void Step() {
        ++done_;
        if (!shown_) return;
        constexpr int kWidth = 32;
        const int filled = done_ * kWidth / total_;
        err_ << "\r" << what_ << " [" << std::string(static_cast<std::size_t>(filled), '#')
             << std::string(static_cast<std::size_t>(kWidth - filled), '.') << "] " << done_ << "/"
             << total_ << std::flush;
        drawn_ = true;
    }

  private:
    std::ostream& err_;
    bool shown_;
    const char* what_;
    int total_;
    int done_ = 0;
    bool drawn_ = false;
};

}  // namespace

std::string OpenMessage(const std::string& message) {
    std::string text = "cannot open the serial port: " + message;
    if (message.find("permission denied") != std::string::npos) {
        text +=
            "\n(the user must be allowed to use serial ports: on most systems, be a member of "
            "the group \"dialout\" or \"uucp\", then log in again)";
    }
    return text;
}

// Resolves --port against the machine's ports and the configuration's pins.
std::string DeviceFor(const std::string& port, const std::string& config,
                      comm::SerialSystem& serial) {
    // A device path needs no look at the machine's ports.
    if (port.find_first_of("/\\") != std::string::npos) return port;
    const comm::PortTable table =
        comm::MapPorts(serial.AvailablePorts(), storage::ReadPortPins(config), kWindowsNames,
                       storage::DeviceIdentity);
    std::string error;
    const auto device = comm::ResolvePort(port, table, &error);
    if (!device) throw InputError(error);
    return *device;
}

namespace {

// One transfer on its own opening of the line; throws InputError with `what` on failure.
void Transfer(
    comm::SerialSystem& serial, const std::string& device, const char* what, std::ostream& err,
    bool progress, int blocks,
    const std::function<comm::Outcome(comm::SerialLine&, const comm::TransferHooks&)>& body) {
    StoppableLine line(serial.NewLine());
    ProgressBar bar(err, progress, what, blocks);
    comm::TransferHooks hooks;
    hooks.blockFrameStarts = [&] { bar.Step(); };
    const comm::DeviceOutcome result =
        comm::RunOnDevice(line, device, [&](comm::SerialLine& l) { return body(l, hooks); });
    if (const int signal = StopSignals::Caught()) {
        throw InputError(std::string(what) + " stopped by " + StopSignals::Name(signal) +
                         ": the serial line was closed" +
                         (blocks == comm::kWriteBlockCount
                              ? "; the radio may be half-written, writing it again is safe"
                              : ""));
    }
    if (!result.opened) throw InputError(OpenMessage(result.openError));
    if (!result.ok()) throw InputError(std::string(what) + " failed: " + result.Message());
}

CodeplugImage ReadFromRadio(comm::SerialSystem& serial, const std::string& device, const char* what,
                            std::ostream& err, bool progress, const comm::Timing& timing) {
    CodeplugImage image{};
    LeadCode lead{};
    InitMatrixCode(image, lead);  // the header of a data file made by a read
    comm::ProtocolState state;
    Transfer(serial, device, what, err, progress, comm::kReadBlockCount,
             [&](comm::SerialLine& line, const comm::TransferHooks& hooks) {
                 return comm::ReadRadio(line, state, image, hooks, timing);
             });
    return image;
}

void SaveImage(const std::string& file, const CodeplugImage& image) {
    std::string reason;
    if (!storage::WriteNewImageFile(file, image, &reason)) {
        throw InputError("cannot write \"" + file + "\": " + reason);
    }
}

}  // namespace

// What the window sends after opening the file: decoded into the edit state, encoded again.
CodeplugImage Reencode(const std::string& dataFile, const std::string& config,
                       const std::string& tones, std::ostream& err) {
    const storage::ConfigFile configFile = RequireConfiguration(config);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(tones, ec)) {
        throw InputError("tone list file \"" + tones + "\" cannot be read");
    }
    std::string reason;
    std::uintmax_t size = 0;
    auto image = storage::ReadImageFile(dataFile, &reason, &size);
    if (!image) throw InputError("cannot read \"" + dataFile + "\": " + reason);
    WarnOnDataFileSize(dataFile, size, err);
    // Each file read once; one that exists but cannot be used is refused.
    const ModelTable models = configFile.ReadModelTable();
    std::string problem;
    const ToneTable toneTable = storage::LoadToneTable(tones, &problem);
    if (!problem.empty()) throw InputError("tone list file \"" + tones + "\" " + problem);
    CodeplugImage decodedCopy = *image;
    const DecodedImage decoded = DecodeImage(decodedCopy, models, toneTable);
    if (!decoded.model) {
        char code[8];
        std::snprintf(code, sizeof code, "%02Xh", decoded.modelCode);
        throw InputError("\"" + dataFile + "\": its model code " + code +
                         " is none of the configuration's models; nothing was sent");
    }
    // A radio-wide list the file leaves unselected takes the window's default for it.
    const storage::DefaultIndexes defaults = configFile.ReadDefaults();
    ListSelections lists;
    lists.model = *decoded.model;
    lists.beepTone = decoded.beepTone.value_or(defaults.toneHint);
    lists.batterySave = decoded.batterySave.value_or(defaults.batSave);
    lists.squelch = decoded.squelch.value_or(defaults.sql);
    lists.monitorKey = decoded.monitorKey.value_or(defaults.moniKey);
    lists.timeOutTimer = decoded.timeOutTimer.value_or(defaults.timeOut);
    lists.wideNarrow = decoded.wideNarrow.value_or(defaults.wideNarrow);
    ChannelTable channels = EmptyChannelTable();
    for (std::size_t k = 0; k < channels.size(); ++k) {
        if (!decoded.channels[k]) continue;
        std::copy(decoded.channels[k]->begin(), decoded.channels[k]->end(), channels[k].begin());
    }
    CodeplugImage encoded = BlankImage();
    if (!RunToErrorExit([&] { EncodeImage(encoded, channels, lists, models, toneTable); })) {
        throw InputError("\"" + dataFile + "\" cannot be encoded; nothing was sent");
    }
    return encoded;
}

CodeplugImage ReadRadioImage(comm::SerialSystem& serial, const std::string& port,
                             const std::string& config, std::ostream& err, bool progress,
                             const comm::Timing& timing) {
    const StopSignals stopSignals;
    return ReadFromRadio(serial, DeviceFor(port, config, serial), "reading", err, progress, timing);
}

RadioCommands::RadioCommands(CLI::App& app, std::string& config, std::string& tones,
                             const comm::Timing& timing)
    : config_(config), tones_(tones), timing_(timing) {
    ports_ = app.add_subcommand("ports", "list COM1..COM16 with their devices, then other ports");
    ports_->add_option("--config", config_, "configuration file (its [Ports] section pins COMn)");
    ports_->add_flag("--check", check_, "say what stands between you and the port, and the fix");
    ports_->add_option("PORT", checkPort_, "with --check: COM1..COM16 or a device path");
    ports_->add_option("--system-root", systemRoot_)->group("");  // a test's stand-in system

    read_ = app.add_subcommand("read", "read the radio into a data file");
    write_ = app.add_subcommand("write", "write a data file to the radio");
    for (CLI::App* verb : {read_, write_}) {
        verb->add_option("--config", config_, "configuration file with the model table");
        verb->add_option("--tones", tones_, "tone list file");
        verb->add_option("--port", port_, "COM1..COM16 or a device path")->required();
    }
    read_->add_option("OUT", dataFile_, "data file to write (.Dat)")->required();
    write_->add_option("IN", dataFile_, "data file to send (.Dat)")->required();
    write_->add_option("--backup", backup_, "read the radio into this data file first");
    write_->add_flag("--verify", verify_, "read the radio back and compare what was written");
}

bool RadioCommands::Parsed() const {
    return ports_->parsed() || read_->parsed() || write_->parsed();
}

int RadioCommands::Run(comm::SerialSystem& serial, std::ostream& out, std::ostream& err,
                       bool progress) {
    if (ports_->parsed()) return Ports(serial, out);
    const StopSignals stopSignals;
    if (read_->parsed()) return Read(serial, err, progress);
    return Write(serial, err, progress);
}

int RadioCommands::Ports(comm::SerialSystem& serial, std::ostream& out) {
    RequireConfiguration(config_);
    if (check_ || !checkPort_.empty()) {
        const std::string device = checkPort_.empty() ? "" : DeviceFor(checkPort_, config_, serial);
        // On a stand-in system only its files are looked at.
        return CheckPortsVerb(comm::SystemFiles(systemRoot_), device, checkPort_,
                              systemRoot_ == "/" ? &serial : nullptr, out);
    }
    const comm::PortTable table =
        comm::MapPorts(serial.AvailablePorts(), storage::ReadPortPins(config_), kWindowsNames,
                       storage::DeviceIdentity);
    for (int n = 1; n <= comm::kPortCount; ++n) {
        const comm::PortAssignment& a = table.com[static_cast<std::size_t>(n - 1)];
        std::string name = "COM" + std::to_string(n);
        name.resize(6, ' ');
        out << name;
        if (a.source == comm::PortAssignment::Source::kNone) {
            out << "-\n";
            continue;
        }
        out << a.device;
        std::string about = a.info ? comm::DescribePort(*a.info) : "";
        if (a.source == comm::PortAssignment::Source::kPinned) {
            about += std::string(about.empty() ? "" : ", ") + "pinned in [Ports]";
        }
        if (!about.empty()) out << "  " << about;
        out << "\n";
    }
    if (!table.others.empty()) out << "Other serial ports:\n";
    for (const comm::PortInfo& p : table.others) {
        const std::string about = comm::DescribePort(p);
        out << "      " << p.device << (about.empty() ? "" : "  " + about) << "\n";
    }
    return 0;
}

int RadioCommands::Read(comm::SerialSystem& serial, std::ostream& err, bool progress) {
    RequireConfiguration(config_);
    const std::string device = DeviceFor(port_, config_, serial);
    const CodeplugImage image = ReadFromRadio(serial, device, "reading", err, progress, timing_);
    SaveImage(dataFile_, image);
    return 0;
}

int RadioCommands::Write(comm::SerialSystem& serial, std::ostream& err, bool progress) {
    // The same file by device and inode (also through a link): the backup would replace the file
    // being written with the radio's old contents.
    std::error_code same;
    if (!backup_.empty() && std::filesystem::equivalent(backup_, dataFile_, same)) {
        throw InputError("--backup \"" + backup_ + "\" is the data file to write, \"" + dataFile_ +
                         "\"; name another file (nothing was read or written)");
    }
    const CodeplugImage image = Reencode(dataFile_, config_, tones_, err);
    const std::string device = DeviceFor(port_, config_, serial);
    if (!backup_.empty()) {
        SaveImage(backup_, ReadFromRadio(serial, device, "backup", err, progress, timing_));
    }
    comm::ProtocolState state;
    Transfer(serial, device, "writing", err, progress, comm::kWriteBlockCount,
             [&](comm::SerialLine& line, const comm::TransferHooks& hooks) {
                 return comm::WriteRadio(line, state, image, hooks, timing_);
             });
    if (!verify_) return 0;
    const CodeplugImage back = ReadFromRadio(serial, device, "verifying", err, progress, timing_);
    std::string differ;
    int count = 0;
    for (std::size_t a = 0; a < comm::kWriteBlockCount * comm::kBlockSize; ++a) {
        const std::uint8_t wrote = image[layout::kHeaderSize + a];
        const std::uint8_t has = back[layout::kHeaderSize + a];
        if (wrote == has) continue;
        char line[64];
        std::snprintf(line, sizeof line, "\n  %03zXh: wrote %02Xh, the radio holds %02Xh", a, wrote,
                      has);
        differ += line;
        ++count;
    }
    if (count > 0) {
        throw InputError("verifying failed: " + std::to_string(count) +
                         (count == 1 ? " address differs:" : " addresses differ:") + differ);
    }
    return 0;
}

}  // namespace rvm46::cli
