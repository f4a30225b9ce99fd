// Seeing before writing, and the customer's sheet: the window's codeplug compared with the radio
// (read as Read reads it, into an image of its own) or with a data file, and the channel sheet
// printed or exported as PDF.
#include <filesystem>

#include "model/image_codec.h"
#include "model/run_time_error.h"
#include "storage/codeplug_diff.h"
#include "ui/channel_sheet.h"
#include "ui/frm_main.h"
#include "ui/review_texts.h"

namespace rvm46::ui {

using namespace forms;

namespace {

std::string FileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

}  // namespace

CodeplugImage FrmMain::EditStateImage() const {
    CodeplugImage image = BlankImage();
    const ListSelections lists = CurrentLists();
    RunToErrorExit([&] { EncodeImage(image, gdblChannel, lists, models, tones); });
    return image;
}

bool FrmMain::ShowComparison(const CodeplugImage& other, const std::string& otherName) {
    const WordTables words{models, tones, gintLanguage};
    const auto rows =
        CompareRows(storage::CompareImages(EditStateImage(), other, models, tones), words);
    std::string thisName = ReviewText("compare.thisSide", gintLanguage);
    if (gstrCurrentFile && !gstrCurrentFile->empty()) {
        thisName += " (" + FileNameOf(*gstrCurrentFile) + ")";
    }
    frmCompare = std::make_unique<FrmCompare>(Host(), gintLanguage, gstrCurFont, gdblColorFull,
                                              FrmCompare::Sides{thisName, otherName}, rows);
    frmCompare->ShowModal(this);
    const bool openOther = frmCompare->OpenOtherChosen();
    frmCompare.reset();
    return openOther;
}

void FrmMain::mnuCompareRadio_Click() {
    RunToErrorExit([&] {
        // The read fills gbytMatrixCode as a read does; the window's codeplug is put back however
        // the read ends.
        struct Restore {
            FrmMain& main;
            CodeplugImage kept;
            ~Restore() {
                main.readForCompare_ = false;
                main.gbytMatrixCode = kept;
            }
        } restore{*this, gbytMatrixCode};
        comparedRadio_.reset();
        readForCompare_ = true;
        gblnReadMode = true;
        Commun().ShowModal(this);
        readForCompare_ = false;
        gbytMatrixCode = restore.kept;
        if (!comparedRadio_) return;
        const CodeplugImage radio = *comparedRadio_;
        comparedRadio_.reset();
        const std::string port = "COM" + std::to_string(gintComPort);
        if (!ShowComparison(radio, ReviewText("compare.radioOn", gintLanguage, port))) return;
        // The radio's image replaces the window's codeplug, as after a read.
        restore.kept = radio;
        gbytMatrixCode = radio;
        EnsureCurrentDataFile();
        SoftDisplay();
        if (gstrCurrentFile && !gstrCurrentFile->empty()) {
            sbrStatus.SetPanelText(3, texts["status.fileNamePrefix"] + *gstrCurrentFile);
        }
        InitSoftDefault(true);
    });
}

PrintedSheet FrmMain::CurrentSheet() const {
    SheetSource source;
    source.image = EditStateImage();
    source.fileName = FileNameOf(gstrCurrentFile.value_or(""));
    source.when = SheetTimeNow();
    source.program = gintLanguage == kLanguageChinese ? gstrChsTitle : gstrEngTitle;
    return BuildChannelSheet(source, models, tones, gintLanguage);
}

void FrmMain::mnuPrintSheet_Click() {
    RunToErrorExit([&] { Host().PrintSheet(CurrentSheet()); });
}

void FrmMain::mnuExportSheet_Click() {
    RunToErrorExit([&] {
        FileDialog dlgTool;
        dlgTool.Filter = ReviewText("sheet.filter", gintLanguage);
        dlgTool.DefaultExt = "pdf";
        dlgTool.InitDir = gstrCurrentFile.value_or("");
        Host().ShowSaveDialog(dlgTool);
        if (dlgTool.FileName.empty()) return;
        const std::string error = dlgTool.Failed
                                      ? ReviewText("sheet.badName", gintLanguage)
                                      : Host().ExportSheetPdf(CurrentSheet(), dlgTool.FileName);
        if (error.empty()) return;
        Host().MsgBox(ReviewText("sheet.failed", gintLanguage) + error, MsgButtons::OK,
                      MsgIcon::Critical, texts["msg.title"]);
    });
}

}  // namespace rvm46::ui
