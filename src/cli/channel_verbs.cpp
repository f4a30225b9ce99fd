#include "cli/channel_verbs.h"

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

void PrintNotes(const std::vector<Finding>& notes, std::ostream& err) {
    for (const Finding& note : notes) err << "rvm46: note: " << Describe(note) << "\n";
}

// --model as an index or a model name; without it, the model the configuration has selected.
int ChooseModel(const std::string& given, const storage::ConfigFile& config,
                const ModelTable& models) {
    if (given.empty()) {
        // As the window starts: an index beyond the model list selects the first model.
        const int m = config.ReadInteger(storage::setting::kModel).value_or(0);
        return m >= 0 && m < models.gintModelCount ? m : 0;
    }
    if (const auto index = storage::ParseWholeNumber(given);
        index && given.find('.') == std::string::npos) {
        if (*index >= 0 && *index < models.gintModelCount) return static_cast<int>(*index);
    }
    std::string known;
    for (int m = 0; m < models.gintModelCount; ++m) {
        const std::string& name = models.gstrModel[4 * static_cast<std::size_t>(m)];
        if (name == given) return m;
        known += (m ? ", " : "") + std::to_string(m) + " " + name;
    }
    throw InputError("--model " + given + " is not a model of the configuration (" + known + ")");
}

int CsvExport(const ChannelVerbs& verbs, const ModelTable& models, const ToneTable& tones,
              std::ostream& err) {
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
    return 0;
}

int CsvImport(const ChannelVerbs& verbs, const std::string& configFile, const ModelTable& models,
              const ToneTable& tones, std::ostream& err) {
    const storage::ConfigFile config(configFile);
    const int model = ChooseModel(verbs.model, config, models);
    std::string reason;
    const auto text = storage::ReadTextFile(verbs.in, storage::kMaxCsvBytes, &reason);
    if (!text) throw InputError("cannot read \"" + verbs.in + "\": " + reason);
    const auto imported = storage::ImportChannelCsv(*text, models, model, tones);
    if (!imported.errors.empty()) {
        std::string message = "\"" + verbs.in + "\" refused, nothing written:";
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
    if (!storage::WriteNewImageFile(verbs.out, *image, &reason)) {
        throw InputError("cannot write \"" + verbs.out + "\": " + reason);
    }
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
    verbs.csvImport->add_option("OUT", verbs.out, "data file to write (.Dat)")->required();
    verbs.csvImport->add_option("--model", verbs.model,
                                "model index or name (default: the configuration's model)");
    AddTableOptions(*verbs.csvImport, config, tones);
}

int RunChannelVerb(const ChannelVerbs& verbs, const std::string& configFile,
                   const ModelTable& models, const ToneTable& tones, std::ostream& /*out*/,
                   std::ostream& err) {
    if (verbs.csvExport->parsed()) return CsvExport(verbs, models, tones, err);
    return CsvImport(verbs, configFile, models, tones, err);
}

}  // namespace rvm46::cli
