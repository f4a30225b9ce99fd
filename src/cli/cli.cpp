#include "cli/cli.h"

#include <CLI/CLI.hpp>
#include <fstream>
#include <string>

#include "cli/channel_verbs.h"
#include "cli/codeplug_json.h"
#include "cli/diff_verb.h"
#include "cli/input_checks.h"
#include "cli/program_command.h"
#include "cli/radio_commands.h"
#include "cli/sheet_verb.h"
#include "model/image_codec.h"
#include "model/run_time_error.h"
#include "serialport/qt_serial_line.h"
#include "storage/codeplug_document.h"
#include "storage/file_read.h"
#include "storage/image_file.h"
#include "storage/program_paths.h"
#include "storage/settings.h"
#include "storage/tone_file.h"

namespace rvm46::cli {

namespace {

struct Tables {
    ModelTable models;
    ToneTable tones;
};

// Each file is read once; one that exists but cannot be used is refused.
Tables LoadTables(const std::string& configFile, const std::string& toneFile) {
    Tables tables;
    const storage::ConfigFile config = RequireConfiguration(configFile);
    tables.models = config.ReadModelTable();
    std::string problem;
    tables.tones = storage::LoadToneTable(toneFile, &problem);
    if (!problem.empty()) throw InputError("tone list file \"" + toneFile + "\" " + problem);
    return tables;
}

// A named input file must exist: a missing one would silently give every default.
void RequireFile(const std::string& path, const char* what) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        const std::string refused = storage::CheckWritableTarget(path);
        throw InputError(std::string(what) + " \"" + path + "\" " +
                         (refused.empty() ? "cannot be read" : refused));
    }
}

int Decode(const std::string& dataFile, const Tables& tables, std::ostream& out,
           std::ostream& err) {
    std::string reason;
    std::uintmax_t size = 0;
    auto image = storage::ReadImageFile(dataFile, &reason, &size);
    if (!image) throw InputError("cannot read \"" + dataFile + "\": " + reason);
    // Any file decodes, as the window's Open loads any file.
    WarnOnDataFileSize(dataFile, size, err);
    out << DecodedToJson(DecodeImage(*image, tables.models, tables.tones));
    return 0;
}

// A codeplug document is a few kilobytes; reading stops well before an endless input fills memory.
constexpr std::uintmax_t kMaxJsonBytes = 1024 * 1024;

int Encode(const std::string& jsonFile, const std::string& dataFile, const Tables& tables,
           std::ostream& err) {
    std::ifstream in(jsonFile, std::ios::binary);
    if (!in) throw InputError("cannot read \"" + jsonFile + "\"");
    std::string text;
    char buffer[4096];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (text.size() > kMaxJsonBytes) {
            throw InputError("\"" + jsonFile + "\" is larger than 1 MB, too large for a document");
        }
    }
    if (in.bad()) throw InputError("cannot read \"" + jsonFile + "\"");
    const CodeplugDocument document = ParseCodeplugJson(text, tables.models.gintModelCount);
    // The document is stored as written, so that whatever `decode` printed encodes back to the same
    // bytes; what a channel list or the window would refuse or snap is said as a warning, in the
    // same words.
    CodeplugDocument checked = document;
    const storage::Validation validation =
        storage::ValidateDocument(checked, tables.models, tables.tones);
    for (const auto* findings : {&validation.errors, &validation.notes}) {
        for (const storage::Finding& finding : *findings) {
            err << "rvm46: warning: " << storage::Describe(finding) << " (stored as given)\n";
        }
    }
    CodeplugImage image{};
    bool encoded = false;
    // The encoding's own run-time errors cannot arise from a checked document; should one arise,
    // nothing is written rather than half an image.
    encoded = RunToErrorExit([&] {
        EncodeImage(image, document.channels, document.lists, tables.models, tables.tones);
    });
    if (!encoded) throw InputError("the document cannot be encoded");
    std::string reason;
    if (!storage::WriteNewImageFile(dataFile, image, &reason)) {
        throw InputError("cannot write \"" + dataFile + "\": " + reason);
    }
    return 0;
}

}  // namespace

int RunCli(int argc, const char* const* argv, const std::filesystem::path& programFolder,
           std::ostream& out, std::ostream& err, comm::SerialSystem* serial, bool progress,
           const comm::Timing& timing) {
    CLI::App app{
        "RVM46 codeplug companion: data files, channel lists as CSV, reading and writing radios"};
    app.require_subcommand(1);
    std::string config = storage::ProgramFile(programFolder, storage::kConfigFile).string();
    std::string tones = storage::ProgramFile(programFolder, storage::kToneFile).string();
    app.add_option("--config", config, "configuration file with the model table");
    app.add_option("--tones", tones, "tone list file");

    std::string dataIn;
    CLI::App* decode = app.add_subcommand("decode", "print a data file as JSON");
    decode->add_option("FILE", dataIn, "data file (.Dat)")->required();
    decode->add_option("--config", config, "configuration file with the model table");
    decode->add_option("--tones", tones, "tone list file");

    std::string jsonIn;
    std::string dataOut;
    CLI::App* encode = app.add_subcommand("encode", "build a data file from JSON");
    encode->add_option("IN", jsonIn, "JSON document")->required();
    encode->add_option("OUT", dataOut, "data file to write (.Dat)")->required();
    encode->add_option("--config", config, "configuration file with the model table");
    encode->add_option("--tones", tones, "tone list file");

    RadioCommands radio(app, config, tones, timing);
    ProgramCommand station(app, config, tones, timing);
    ChannelVerbs channelVerbs;
    channelVerbs.programFolder = programFolder;
    AddChannelVerbs(app, config, tones, channelVerbs);
    DiffVerb diff;
    diff.timing = timing;
    AddDiffVerb(app, config, tones, diff);
    SheetVerb sheet;
    AddSheetVerb(app, config, tones, sheet);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e, out, err) == 0 ? 0 : 2;  // help is success; a usage error is 2
    }
    try {
        if (radio.Parsed() || station.Parsed()) {
            auto run = [&](comm::SerialSystem& ports) {
                return station.Parsed() ? station.Run(ports, out, err, progress)
                                        : radio.Run(ports, out, err, progress);
            };
            if (serial) return run(*serial);
            serialport::QtSerialSystem machine;
            return run(machine);
        }
        RequireFile(config, "configuration file");
        RequireFile(tones, "tone list file");
        const Tables tables = LoadTables(config, tones);
        if (decode->parsed()) return Decode(dataIn, tables, out, err);
        if (diff.Parsed()) {
            return RunDiff(diff, config, tables.models, tables.tones, serial, out, err, progress);
        }
        if (sheet.Parsed()) return RunSheet(sheet, config, tables.models, tables.tones);
        if (channelVerbs.Parsed()) {
            return RunChannelVerb(channelVerbs, config, tables.models, tables.tones, out, err);
        }
        return Encode(jsonIn, dataOut, tables, err);
    } catch (const InputError& e) {
        err << "rvm46: " << e.what() << "\n";
        return diff.Parsed() ? 2 : 1;  // diff's 1 means "different"
    }
}

}  // namespace rvm46::cli
