#include "cli/sheet_verb.h"

#include <filesystem>

#include "cli/codeplug_json.h"
#include "sheet/sheet_pdf.h"
#include "storage/image_file.h"
#include "storage/settings.h"
#include "ui/channel_sheet.h"
#include "ui/text_table.h"

namespace rvm46::cli {

void AddSheetVerb(CLI::App& app, std::string& config, std::string& tones, SheetVerb& sheet) {
    sheet.verb = app.add_subcommand("sheet", "write a one-page channel sheet of a data file (PDF)");
    sheet.verb->add_option("IN", sheet.in, "data file (.Dat)")->required();
    sheet.verb->add_option("OUT", sheet.out, "PDF file to write")->required();
    sheet.verb
        ->add_option("--language", sheet.language,
                     "zh or en (default: the configuration's interface language)")
        ->check(CLI::IsMember({"zh", "en"}));
    sheet.verb->add_option("--config", config, "configuration file with the model table");
    sheet.verb->add_option("--tones", tones, "tone list file");
}

int RunSheet(const SheetVerb& sheet, const std::string& config, const ModelTable& models,
             const ToneTable& tones) {
    std::string reason;
    const auto image = storage::ReadImageFile(sheet.in, &reason);
    if (!image) throw InputError("cannot read \"" + sheet.in + "\": " + reason);
    const storage::ConfigFile configFile(config);
    int language = ui::kLanguageEnglish;
    if (sheet.language == "zh") {
        language = ui::kLanguageChinese;
    } else if (sheet.language.empty() &&
               configFile.ReadInteger(storage::setting::kLanguage) == ui::kLanguageChinese) {
        language = ui::kLanguageChinese;
    }
    const storage::Titles titles = configFile.ReadTitles();
    ui::SheetSource source;
    source.image = *image;
    source.fileName = std::filesystem::path(sheet.in).filename().string();
    source.when = ui::SheetTimeNow();
    source.program = language == ui::kLanguageChinese ? titles.chsTitle : titles.engTitle;
    const sheet::GuiSession gui;
    if (!sheet::WriteSheetPdf(ui::BuildChannelSheet(source, models, tones, language), sheet.out,
                              &reason)) {
        throw InputError("cannot write \"" + sheet.out + "\": " + reason);
    }
    return 0;
}

}  // namespace rvm46::cli
