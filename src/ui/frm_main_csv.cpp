// Channel lists in CSV files: importing replaces the 16 channels (after the question a model change
// asks) and shows them as a read does; exporting writes the channels in use, in this program's
// own layout or the generic layout of other radio programming tools.
//
// A file with any bad row is refused as a whole: the message lists every bad row and nothing
// changes. Frequencies off the raster are snapped and the user is told which.
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
// A message box shows this many findings; the rest are counted.
constexpr std::size_t kShownFindings = 15;

std::string FindingLines(const std::vector<storage::Finding>& findings) {
    std::string lines;
    for (std::size_t i = 0; i < findings.size() && i < kShownFindings; ++i) {
        lines += '\n';
        lines += storage::Describe(findings[i]);
    }
    if (findings.size() > kShownFindings) {
        lines += "\n... (";
        lines += std::to_string(findings.size() - kShownFindings);
        lines += " more)";
    }
    return lines;
}

// The dialogs start in the folder of the current data file.
std::string FolderOf(const std::optional<std::string>& file) {
    return file ? std::filesystem::path(*file).parent_path().string() : std::string();
}

}  // namespace

void FrmMain::mnuImportChannels_Click() {
    RunToErrorExit([&] {
        FileDialog dlgTool;
        dlgTool.Filter = texts["dlg.csvFilter"];
        dlgTool.InitDir = FolderOf(gstrCurrentFile);
        dlgTool.DialogTitle = texts["mnuImportChannels.Caption"];
        Host().ShowOpenDialog(dlgTool);
        if (dlgTool.FileName.empty() || dlgTool.Cancelled) return;

        std::string reason;
        const auto text = storage::ReadTextFile(dlgTool.FileName, storage::kMaxCsvBytes, &reason);
        if (!text) {
            Host().MsgBox(texts["msg.csvReadFailed"] + reason, MsgButtons::OK, MsgIcon::Critical,
                          texts["msg.title"]);
            return;
        }
        const auto imported =
            storage::ImportChannelCsv(*text, models, cboTypeSel.ListIndex(), tones);
        if (!imported.errors.empty()) {
            Host().MsgBox(texts["msg.csvRefused"] + FindingLines(imported.errors), MsgButtons::OK,
                          MsgIcon::Critical, texts["msg.title"]);
            return;
        }
        if (Message("msg.modelChangeQuestion", MsgButtons::YesNo, MsgIcon::Exclamation) !=
            MsgResult::Yes) {
            return;
        }
        // The channels become the codeplug and are shown as a codeplug read from the radio is.
        gdblChannel = imported.channels;
        if (imported.wideNarrow) cboWideNarrow.SetListIndex(*imported.wideNarrow);
        SetConvert();
        SoftDisplay();
        if (!imported.notes.empty()) {
            Host().MsgBox(texts["msg.csvImportNotes"] + FindingLines(imported.notes),
                          MsgButtons::OK, MsgIcon::Information, texts["msg.title"]);
        }
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
            layout == MsgResult::Yes ? storage::CsvLayout::Generic : storage::CsvLayout::Own,
            tones);
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
        if (!exported.notes.empty()) {
            Host().MsgBox(texts["msg.csvExportNotes"] + FindingLines(exported.notes),
                          MsgButtons::OK, MsgIcon::Information, texts["msg.title"]);
        }
    });
}

}  // namespace rvm46::ui
