#pragma once
// The command line's channel sheet: sheet [--language zh|en] IN.Dat OUT.pdf, one A4 page in the
// interface language of the configuration unless --language says otherwise.

#include <CLI/CLI.hpp>
#include <ostream>
#include <string>

#include "model/model_table.h"
#include "model/tone_table.h"

namespace rvm46::cli {

struct SheetVerb {
    CLI::App* verb = nullptr;
    std::string in;
    std::string out;
    std::string language;  // "zh", "en" or empty: the configuration's

    bool Parsed() const { return verb->parsed(); }
};

void AddSheetVerb(CLI::App& app, std::string& config, std::string& tones, SheetVerb& sheet);

// Throws InputError for an unreadable data file or an unwritable PDF.
int RunSheet(const SheetVerb& sheet, const std::string& config, const ModelTable& models,
             const ToneTable& tones);

}  // namespace rvm46::cli
