#include "cli/diff_verb.h"

#include <sstream>

#include "cli/codeplug_json.h"
#include "cli/radio_commands.h"
#include "model/arithmetic.h"
#include "serialport/qt_serial_line.h"
#include "storage/image_file.h"

namespace rvm46::cli {

namespace {

constexpr int kRadioUnreadable = 3;

CodeplugImage ReadImage(const std::string& file) {
    std::string reason;
    const auto image = storage::ReadImageFile(file, &reason);
    if (!image) throw InputError("cannot read \"" + file + "\": " + reason);
    return *image;
}

std::string Whole(double value) {
    return value == -1 ? "null" : std::to_string(static_cast<long long>(value));
}

// One side's value as `decode` prints it.
std::string ValueJson(const storage::Difference& d, bool aSide) {
    const double value = aSide ? d.a : d.b;
    if (d.field == "channel") {
        const ChannelRecord& channel = aSide ? d.channelA : d.channelB;
        return channel[kFieldRx] == -1 ? "null" : ChannelToJson(channel);
    }
    if (d.field == "rx" || d.field == "tx") {
        return value == -1 ? "null" : FormatFixed(value, 1, 5);
    }
    if (d.field == "model_code") return std::to_string(aSide ? d.byteA : d.byteB);
    if (d.otherByte) return std::to_string(aSide ? d.byteA : d.byteB);
    return Whole(value);
}

}  // namespace

std::string DifferencesToJson(const std::vector<storage::Difference>& differences) {
    if (differences.empty()) return "[]\n";
    std::ostringstream out;
    out << "[\n";
    for (std::size_t i = 0; i < differences.size(); ++i) {
        const storage::Difference& d = differences[i];
        const std::string where = d.channel ? "channel " + std::to_string(d.channel) : "radio";
        out << "  {\"where\": \"" << where << "\", \"field\": \"" << d.field
            << "\", \"a\": " << ValueJson(d, true) << ", \"b\": " << ValueJson(d, false) << "}"
            << (i + 1 < differences.size() ? ",\n" : "\n");
    }
    out << "]\n";
    return out.str();
}

void AddDiffVerb(CLI::App& app, std::string& config, std::string& tones, DiffVerb& diff) {
    diff.verb = app.add_subcommand(
        "diff",
        "compare a data file with another or with the radio; exit 0 equal, 1 different, "
        "3 the radio could not be read");
    diff.verb->add_option("A", diff.a, "data file")->required();
    CLI::Option* b = diff.verb->add_option("B", diff.b, "data file");
    CLI::Option* port = diff.verb->add_option("--port", diff.port,
                                              "compare with the radio on COM1..COM16 or a "
                                              "device path (read only)");
    b->excludes(port);
    diff.verb->add_flag("--json", diff.json, "print the differences as a JSON array");
    diff.verb->add_option("--config", config, "configuration file with the model table");
    diff.verb->add_option("--tones", tones, "tone list file");
    diff.verb->callback([&diff] {
        if (diff.b.empty() && diff.port.empty()) {
            throw CLI::ValidationError("diff", "give a second data file B or --port");
        }
    });
}

int RunDiff(const DiffVerb& diff, const std::string& config, const ModelTable& models,
            const ToneTable& tones, comm::SerialSystem* serial, std::ostream& out,
            std::ostream& err, bool progress) {
    const CodeplugImage a = ReadImage(diff.a);
    CodeplugImage b{};
    if (diff.port.empty()) {
        b = ReadImage(diff.b);
    } else {
        try {
            if (serial) {
                b = ReadRadioImage(*serial, diff.port, config, err, progress, diff.timing);
            } else {
                serialport::QtSerialSystem machine;
                b = ReadRadioImage(machine, diff.port, config, err, progress, diff.timing);
            }
        } catch (const InputError& e) {
            err << "rvm46: " << e.what() << "\n";
            return kRadioUnreadable;
        }
    }
    const std::vector<storage::Difference> differences =
        storage::CompareImages(a, b, models, tones);
    if (diff.json) {
        out << DifferencesToJson(differences);
    } else {
        for (const std::string& line : storage::DiffImages(a, b, models, tones)) {
            out << line << "\n";
        }
    }
    return differences.empty() ? 0 : 1;
}

}  // namespace rvm46::cli
