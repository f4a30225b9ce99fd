#include "cli/channel_verbs.h"

#include <algorithm>
#include <cctype>

#include "cli/codeplug_json.h"
#include "model/edit_state.h"
#include "storage/channel_csv.h"
#include "storage/codeplug_document.h"
#include "storage/csv_text.h"
#include "storage/image_file.h"
#include "storage/profile_values.h"
#include "storage/settings.h"
#include "storage/text_file.h"

namespace rvm46::cli {

namespace {

using storage::Describe;
using storage::Finding;

CodeplugImage ReadImage(const std::string& file) {
    std::string reason;
    const auto image = storage::ReadImageFile(file, &reason);
    if (!image) throw InputError("cannot read \"" + file + "\": " + reason);
    return *image;
}

std::string Channels(int count) {
    return std::to_string(count) + (count == 1 ? " channel" : " channels");
}

void PrintNotes(const std::vector<Finding>& notes, std::ostream& err) {
    for (const Finding& note : notes) err << "rvm46: note: " << Describe(note) << "\n";
}

// --model as an index or a model name; without it, the model the configuration has selected.
int ChooseModel(const std::string& given, const storage::ConfigFile& config,
                const ModelTable& models) {
    std::string known;
    for (int m = 0; m < models.gintModelCount; ++m) {
        known += (m ? ", " : "") + std::to_string(m) + " " +
                 models.gstrModel[4 * static_cast<std::size_t>(m)];
    }
    if (given.empty()) {
        // Another model's band and raster would move the frequencies: refused, not guessed.
        const int m = config.ReadInteger(storage::setting::kModel).value_or(0);
        if (m >= 0 && m < models.gintModelCount) return m;
        throw InputError("the configuration selects model " + std::to_string(m) +
                         ", which its model table does not have (" +
                         (known.empty() ? "no models" : known) + "); give --model");
    }
    if (const auto index = storage::ParseWholeNumber(given);
        index && given.find('.') == std::string::npos) {
        if (*index >= 0 && *index < models.gintModelCount) return static_cast<int>(*index);
    }
    for (int m = 0; m < models.gintModelCount; ++m) {
        if (models.gstrModel[4 * static_cast<std::size_t>(m)] == given) return m;
    }
    throw InputError("--model " + given + " is not a model of the configuration (" + known + ")");
}

int CsvExport(const ChannelVerbs& verbs, const ModelTable& models, const ToneTable& tones,
              std::ostream& out, std::ostream& err) {
    const auto document = storage::DocumentFromImage(ReadImage(verbs.in), models, tones);
    const auto layout =
        verbs.layout == "generic" ? storage::CsvLayout::Generic : storage::CsvLayout::Own;
    const auto exported =
        storage::ExportChannelCsv(document.channels, document.lists.wideNarrow, layout, tones);
    PrintNotes(exported.notes, err);
    std::string reason;
    if (!storage::WriteTextFile(verbs.out, exported.text, &reason)) {
        throw InputError("cannot write \"" + verbs.out + "\": " + reason);
    }
    out << "exported " << Channels(storage::ChannelsInUse(document.channels)) << " to \""
        << verbs.out << "\"\n";
    return 0;
}

// The list file of --standard NAME (Channels/NAME.csv beside the program), or the list given.
std::string ListFile(const ChannelVerbs& verbs) {
    if (verbs.standard.empty()) return verbs.in;
    const auto folder = verbs.programFolder / "Channels";
    std::vector<std::string> known;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (entry.path().extension() != ".csv") continue;
        const std::string name = entry.path().stem().string();
        if (std::ranges::equal(name, verbs.standard, [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) ==
                       std::tolower(static_cast<unsigned char>(b));
            })) {
            return entry.path().string();
        }
        known.push_back(name);
    }
    std::sort(known.begin(), known.end());
    std::string names;
    for (const auto& name : known) names += (names.empty() ? "" : ", ") + name;
    throw InputError("--standard " + verbs.standard + " is not a built-in channel list (" +
                     (names.empty() ? "none in " + folder.string() : names) + ")");
}

int CsvImport(const ChannelVerbs& verbs, const std::string& configFile, const ModelTable& models,
              const ToneTable& tones, std::ostream& out, std::ostream& err) {
    const storage::ConfigFile config(configFile);
    const int model = ChooseModel(verbs.model, config, models);
    // With --standard the one file named is the data file to write.
    const std::string in = ListFile(verbs);
    const std::string& target = verbs.standard.empty() ? verbs.out : verbs.in;
    storage::ImportOptions options;
    options.skipInvalid = verbs.skipInvalid;
    options.exact = !verbs.standard.empty();
    if (!verbs.renumber.empty()) {
        const auto first = storage::ParseWholeNumber(verbs.renumber);
        if (!first || *first < 1 || *first > 16 || verbs.renumber.find('.') != std::string::npos) {
            throw InputError("--renumber=" + verbs.renumber + ": the first channel is 1 to 16");
        }
        options.renumberFrom = static_cast<int>(*first);
    }
    std::string reason;
    const auto text = storage::ReadTextFile(in, storage::kMaxCsvBytes, &reason);
    if (!text) throw InputError("cannot read \"" + in + "\": " + reason);
    const auto imported = storage::ImportChannelCsv(*text, models, model, tones, options);
    if (!imported.errors.empty()) {
        std::string message = "\"" + in + "\" refused, nothing written:";
        for (const Finding& error : imported.errors) message += "\n  " + Describe(error);
        throw InputError(message);
    }
    PrintNotes(imported.notes, err);

    storage::CodeplugDocument document;
    document.channels = imported.channels;
    ListSelections& lists = document.lists;
    // The radio-wide settings New File gives.
    const storage::DefaultIndexes defaults = config.ReadDefaults();
    lists.model = model;
    lists.beepTone = defaults.toneHint;
    lists.squelch = defaults.sql;
    lists.monitorKey = defaults.moniKey;
    lists.timeOutTimer = defaults.timeOut;
    lists.batterySave = defaults.batSave;
    lists.wideNarrow = imported.wideNarrow.value_or(defaults.wideNarrow);
    const auto image = storage::EncodeDocument(document, models, tones, &reason);
    if (!image) throw InputError(reason);
    if (!storage::WriteNewImageFile(target, *image, &reason)) {
        throw InputError("cannot write \"" + target + "\": " + reason);
    }
    out << "imported " << Channels(storage::ChannelsInUse(document.channels)) << " from \"" << in
        << "\" into \"" << target << "\"\n";
    return 0;
}

void AddTableOptions(CLI::App& verb, std::string& config, std::string& tones) {
    verb.add_option("--config", config, "configuration file with the model table");
    verb.add_option("--tones", tones, "tone list file");
}

}  // namespace

void AddChannelVerbs(CLI::App& app, std::string& config, std::string& tones, ChannelVerbs& verbs) {
    verbs.csvExport = app.add_subcommand("csv-export", "write the channels of a data file as CSV");
    verbs.csvExport->add_option("IN", verbs.in, "data file (.Dat)")->required();
    verbs.csvExport->add_option("OUT", verbs.out, "CSV file to write")->required();
    verbs.csvExport->add_option("--layout", verbs.layout, "own (default) or generic")
        ->check(CLI::IsMember({"own", "generic"}));
    AddTableOptions(*verbs.csvExport, config, tones);

    verbs.csvImport = app.add_subcommand("csv-import", "build a data file from a CSV channel list");
    verbs.csvImport->add_option("IN", verbs.in, "CSV file, either layout")->required();
    verbs.csvImport->add_option("OUT", verbs.out, "data file to write (.Dat)");
    // A usage error (status 2) like any other: two files, or --standard and one.
    verbs.csvImport->parse_complete_callback([&verbs] {
        if (verbs.standard.empty() == verbs.out.empty()) {
            throw CLI::ValidationError(
                "csv-import takes IN.csv OUT.Dat, or --standard NAME OUT.Dat");
        }
    });
    verbs.csvImport->add_flag(
        "--renumber{1}", verbs.renumber,
        "place the rows in file order from channel 1 on (--renumber=FIRST: from FIRST)");
    verbs.csvImport->add_flag("--skip-invalid", verbs.skipInvalid,
                              "leave out refused rows, each with its reason, and import the rest");
    verbs.csvImport->add_option(
        "--standard", verbs.standard,
        "a built-in list of public channels (PMR446, FRS); the one file named is OUT");
    verbs.csvImport->add_option("--model", verbs.model,
                                "model index or name (default: the configuration's model)");
    AddTableOptions(*verbs.csvImport, config, tones);
}

int RunChannelVerb(const ChannelVerbs& verbs, const std::string& configFile,
                   const ModelTable& models, const ToneTable& tones, std::ostream& out,
                   std::ostream& err) {
    if (verbs.csvExport->parsed()) return CsvExport(verbs, models, tones, out, err);
    return CsvImport(verbs, configFile, models, tones, out, err);
}

}  // namespace rvm46::cli
