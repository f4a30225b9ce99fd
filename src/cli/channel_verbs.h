#pragma once
// The command-line verbs over channel lists:
//   csv-export [--layout own|generic] IN.Dat OUT.csv
//   csv-import [--model N] IN.csv OUT.Dat

#include <CLI/CLI.hpp>
#include <optional>
#include <ostream>
#include <string>

#include "model/model_table.h"
#include "model/tone_table.h"

namespace rvm46::cli {

struct ChannelVerbs {
    CLI::App* csvExport = nullptr;
    CLI::App* csvImport = nullptr;
    std::string in;
    std::string out;
    std::string layout = "own";
    std::string model;  // index or name; empty: the model the configuration has selected

    bool Parsed() const { return csvExport->parsed() || csvImport->parsed(); }
};

// Adds the verbs, each with the --config and --tones options bound to the given strings.
void AddChannelVerbs(CLI::App& app, std::string& config, std::string& tones, ChannelVerbs& verbs);

// Runs the parsed verb. Throws InputError for bad input; returns the exit status otherwise.
int RunChannelVerb(const ChannelVerbs& verbs, const std::string& configFile,
                   const ModelTable& models, const ToneTable& tones, std::ostream& out,
                   std::ostream& err);

}  // namespace rvm46::cli
