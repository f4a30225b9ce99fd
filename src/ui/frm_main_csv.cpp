// Channel lists in CSV files: importing replaces the 16 channels (the model stays as selected) and
// shows them as a read does; exporting writes the channels in use, in this program's own layout or
// the generic layout of other radio programming tools. Standard Channels imports one of the
// built-in lists of public channels beside the program (Channels/) in the same way.
//
// A list numbered outside channels 1 to 16 is offered in file order from channel 1. A list with
// refused rows is refused, or, when the user agrees, imported without them. Frequencies off the
// raster are snapped and the user is told which; a standard list is never moved.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "model/run_time_error.h"
#include "storage/channel_csv.h"
#include "storage/csv_text.h"
#include "storage/kept_versions.h"
#include "storage/program_paths.h"
#include "storage/text_file.h"
#include "ui/frm_main.h"

namespace rvm46::ui {

using namespace forms;

namespace {

constexpr const char* kCsvExtension = "csv";
constexpr const char* kStandardFolder = "\\Channels";
// A message box shows this many findings; the rest are counted.
constexpr std::size_t kShownFindings = 15;

std::string FindingLines(const std::vector<storage::Finding>& findings, int language) {
    std::string lines;
    for (std::size_t i = 0; i < findings.size() && i < kShownFindings; ++i) {
        lines += '\n';
        lines += storage::Describe(findings[i], language);
    }
    if (findings.size() > kShownFindings) {
        lines += "\n... (";
        lines += std::to_string(findings.size() - kShownFindings);
        lines += language == 1 ? " 条未列出)" : " more)";
    }
    return lines;
}

// `text` with every {name} replaced by its value.
std::string Filled(std::string text,
                   const std::vector<std::pair<std::string, std::string>>& values) {
    for (const auto& [name, value] : values) {
        const std::string mark = "{" + name + "}";
        for (auto at = text.find(mark); at != std::string::npos;
             at = text.find(mark, at + value.size())) {
            text.replace(at, mark.size(), value);
        }
    }
    return text;
}

// The dialogs start in the folder of the current data file.
std::string FolderOf(const std::optional<std::string>& file) {
    return file ? std::filesystem::path(*file).parent_path().string() : std::string();
}

}  // namespace

void FrmMain::mnuImportChannels_Click() {
    ImportChannelList(texts["mnuImportChannels.Caption"], FolderOf(gstrCurrentFile), false);
}

void FrmMain::mnuStandardChannels_Click() {
    ImportChannelList(texts["mnuStandardChannels.Caption"], ProgramFilePath(kStandardFolder), true);
}

void FrmMain::ImportChannelList(const std::string& title, const std::string& folder, bool exact) {
    RunToErrorExit([&] {
        FileDialog dlgTool;
        dlgTool.Filter = texts["dlg.csvFilter"];
        dlgTool.InitDir = folder;
        dlgTool.DialogTitle = title;
        Host().ShowOpenDialog(dlgTool);
        if (dlgTool.FileName.empty() || dlgTool.Cancelled) return;

        std::string reason;
        const auto text =
            storage::ReadTextFile(dlgTool.FileName, storage::kMaxCsvBytes, &reason, gintLanguage);
        if (!text) {
            Host().MsgBox(texts["msg.csvReadFailed"] + reason, MsgButtons::OK, MsgIcon::Critical,
                          texts["msg.title"]);
            return;
        }
        storage::ImportOptions options;
        options.language = gintLanguage;
        options.exact = exact;
        const auto run = [&](bool skipInvalid, std::optional<int> renumberFrom) {
            storage::ImportOptions o = options;
            o.skipInvalid = skipInvalid;
            o.renumberFrom = renumberFrom;
            return storage::ImportChannelCsv(*text, models, cboTypeSel.ListIndex(), tones, o);
        };
        // Rows numbered outside 1 to 16 that placing them in order would keep: ask.
        const auto numbered = run(true, std::nullopt);
        if (numbered.outsideRows > 0 && run(true, 1).placedRows > numbered.placedRows &&
            Message("msg.csvRenumberQuestion", MsgButtons::YesNo, MsgIcon::Question) ==
                MsgResult::Yes) {
            options.renumberFrom = 1;
        }
        auto imported = run(false, options.renumberFrom);
        if (!imported.errors.empty()) {
            auto others = run(true, options.renumberFrom);
            if (!others.errors.empty()) {
                Host().MsgBox(texts["msg.csvRefused"] + FindingLines(imported.errors, gintLanguage),
                              MsgButtons::OK, MsgIcon::Critical, texts["msg.title"]);
                return;
            }
            if (Host().MsgBox(
                    texts["msg.csvRowsRefused"] + FindingLines(imported.errors, gintLanguage) +
                        "\n\n" + texts["msg.csvImportOthers"],
                    MsgButtons::YesNo, MsgIcon::Question, texts["msg.title"]) != MsgResult::Yes) {
                return;
            }
            // The rows the user agreed to leave out are not listed again.
            std::erase_if(others.notes, [&](const storage::Finding& note) {
                return std::any_of(imported.errors.begin(), imported.errors.end(),
                                   [&](const storage::Finding& e) {
                                       return e.where == note.where && e.field == note.field;
                                   });
            });
            imported = std::move(others);
        }
        // The channels become the codeplug and are shown as a codeplug read from the radio is.
        gdblChannel = imported.channels;
        if (imported.wideNarrow) cboWideNarrow.SetListIndex(*imported.wideNarrow);
        SetConvert();
        SoftDisplay();
        ReportChannelFile("msg.csvImported", storage::ChannelsInUse(imported.channels),
                          dlgTool.FileName, imported.notes);
    });
}

void FrmMain::mnuExportChannels_Click() {
    RunToErrorExit([&] {
        const MsgResult layout =
            Message("msg.csvLayoutQuestion", MsgButtons::YesNoCancel, MsgIcon::Question);
        if (layout != MsgResult::Yes && layout != MsgResult::No) return;
        FileDialog dlgTool;
        dlgTool.Filter = texts["dlg.csvFilter"];
        dlgTool.DefaultExt = kCsvExtension;
        dlgTool.InitDir = FolderOf(gstrCurrentFile);
        dlgTool.DialogTitle = texts["mnuExportChannels.Caption"];
        Host().ShowSaveDialog(dlgTool);
        if (dlgTool.FileName.empty() || dlgTool.Cancelled) return;
        if (dlgTool.Failed) {
            Message("msg.saveFailed", MsgButtons::OK, MsgIcon::Critical);
            return;
        }

        const auto exported = storage::ExportChannelCsv(
            gdblChannel, cboWideNarrow.ListIndex(),
            layout == MsgResult::Yes ? storage::CsvLayout::Generic : storage::CsvLayout::Own, tones,
            gintLanguage);
        // A channel list written over keeps its previous content in Data/Backup, as its own kind.
        std::string extension = std::filesystem::path(dlgTool.FileName).extension().string();
        if (extension.empty()) extension = ".csv";
        const auto keep = storage::KeepPreviousIn(
            ProgramFilePath(std::string(storage::kBackupFolder)), extension);
        std::string reason;
        if (!storage::WriteTextFile(dlgTool.FileName, exported.text, &reason, keep)) {
            Message("msg.saveFailed", MsgButtons::OK, MsgIcon::Critical);
            return;
        }
        ReportChannelFile("msg.csvExported", storage::ChannelsInUse(gdblChannel), dlgTool.FileName,
                          exported.notes);
    });
}

void FrmMain::ReportChannelFile(const char* textKey, int channels, const std::string& file,
                                const std::vector<storage::Finding>& notes) {
    std::string prompt = Filled(texts[textKey], {{"n", std::to_string(channels)}, {"file", file}});
    if (!notes.empty()) {
        prompt += "\n" + texts["msg.csvNotes"] + FindingLines(notes, gintLanguage);
    }
    Host().MsgBox(prompt, MsgButtons::OK, MsgIcon::Information, texts["msg.title"]);
}

}  // namespace rvm46::ui
