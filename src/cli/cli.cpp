#include "cli/cli.h"

#include <CLI/CLI.hpp>
#include <fstream>
#include <sstream>
#include <string>

#include "cli/codeplug_json.h"
#include "cli/radio_commands.h"
#include "model/image_codec.h"
#include "model/run_time_error.h"
#include "serialport/qt_serial_line.h"
#include "storage/image_file.h"
#include "storage/model_config.h"
#include "storage/program_paths.h"

namespace rvm46::cli {

namespace {

struct Tables {
    ModelTable models;
    ToneTable tones;
};

Tables LoadTables(const std::string& configFile, const std::string& toneFile) {
    Tables tables;
    tables.models = storage::LoadModelTable(configFile);
    LoadToneCodes(toneFile, tables.tones);
    LoadToneList(toneFile, tables.tones);
    return tables;
}

// A named input file must exist: a missing one would silently give every default.
void RequireFile(const std::string& path, const char* what) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        throw InputError(std::string(what) + " \"" + path + "\" cannot be read");
    }
}

int Decode(const std::string& dataFile, const Tables& tables, std::ostream& out) {
    std::string reason;
    auto image = storage::ReadImageFile(dataFile, &reason);
    if (!image) throw InputError("cannot read \"" + dataFile + "\": " + reason);
    out << DecodedToJson(DecodeImage(*image, tables.models, tables.tones));
    return 0;
}

int Encode(const std::string& jsonFile, const std::string& dataFile, const Tables& tables) {
    std::ifstream in(jsonFile, std::ios::binary);
    if (!in) throw InputError("cannot read \"" + jsonFile + "\"");
    std::ostringstream text;
    text << in.rdbuf();
    const CodeplugDocument document = ParseCodeplugJson(text.str(), tables.models.gintModelCount);
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
           std::ostream& out, std::ostream& err, comm::SerialSystem* serial, bool progress) {
    CLI::App app{"RVM46 codeplug companion: data files, and reading and writing radios"};
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

    RadioCommands radio(app, config, tones);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e, out, err) == 0 ? 0 : 2;  // help is success; a usage error is 2
    }
    try {
        if (radio.Parsed()) {
            if (serial) return radio.Run(*serial, out, err, progress);
            serialport::QtSerialSystem machine;
            return radio.Run(machine, out, err, progress);
        }
        RequireFile(config, "configuration file");
        RequireFile(tones, "tone list file");
        const Tables tables = LoadTables(config, tones);
        if (decode->parsed()) return Decode(dataIn, tables, out);
        return Encode(jsonIn, dataOut, tables);
    } catch (const InputError& e) {
        err << "rvm46: " << e.what() << "\n";
        return 1;
    }
}

}  // namespace rvm46::cli
