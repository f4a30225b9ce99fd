// The file commands (New, Open, Save, Save As), the recent-file list of the File menu, the help
// file and the about box.
//
// A data file is read or written and closed within one command. Each command has one error exit:
// Open and a recent file report "Wrong file type!", Save and Save As "Save file failed!", and the
// command stops where it failed, so a failed read leaves the codeplug and the current file as they
// were and a failed save leaves the old file on disk untouched.
#include <filesystem>
#include <string>

#include "model/run_time_error.h"
#include "storage/image_file.h"
#include "storage/recent_files.h"
#include "ui/frm_main.h"

namespace rvm46::ui {

using namespace forms;

namespace {

constexpr const char* kDataFileFilter = "Data File(*.Dat)";
constexpr const char* kDataFileExtension = "dat";
constexpr const char* kChineseHelp = "\\Help\\CHSHELP_5100.chm";
constexpr const char* kEnglishHelp = "\\Help\\EngHELP_5100.chm";

CodeplugImage ReadOrFail(const std::string& path) {
    std::string reason;
    const auto image = storage::ReadImageFile(path, &reason);
    if (!image) throw RunTimeError(reason);
    return *image;
}

void SaveOrFail(const std::string& path, const CodeplugImage& image) {
    std::string reason;
    if (!storage::SaveImageFile(path, image, &reason)) throw RunTimeError(reason);
}

}  // namespace

void FrmMain::ShowCurrentFile() {
    sbrStatus.SetPanelText(3, texts["status.fileNamePrefix"] + gstrCurrentFile.value_or(""));
}

void FrmMain::NewFile() {
    RunToErrorExit([&] {
        if (Message("msg.newFileQuestion", MsgButtons::YesNo, MsgIcon::Question) !=
            MsgResult::Yes) {
            return;
        }
        DefaultParameter();
        DeteChanData();
        cboChSel.SetText("1");
        txtReceFre.SetText("");
        txtTransFre.SetText("");
        InitSignalBG();
        txtReceFre.SetFocus();
        InitMatrixCode(gbytMatrixCode, gbytLeadCode);
        gstrCurrentFile = ProgramFilePath(gstrTempDataFile);
        ShowCurrentFile();
        InitSoftDefault(true);
    });
}

void FrmMain::OpenFile() {
    const bool done = RunToErrorExit([&] {
        FileDialog dlgTool;
        dlgTool.FileName = "";
        dlgTool.Filter = kDataFileFilter;
        dlgTool.InitDir = gstrCurrentFile.value_or("");
        Host().ShowOpenDialog(dlgTool);
        if (dlgTool.FileName.empty()) return;
        if (dlgTool.Failed) throw RunTimeError("the open dialog failed");
        ShowOpenedFile(dlgTool.FileName, ReadOrFail(dlgTool.FileName));
    });
    if (!done) Message("msg.wrongFileType", MsgButtons::OK, MsgIcon::Critical);
}

void FrmMain::ShowOpenedFile(const std::string& path, const CodeplugImage& image) {
    gbytMatrixCode = image;
    SoftDisplay();
    ChannelEdit();
    gstrCurrentFile = path;
    ShowCurrentFile();
    NowFileDir();
    InitSoftDefault(true);
    cmdConfirm.SetFocus();
}

// A data file read as Open reads it, with the same refusal, compared and not opened unless the
// user asks for it in the comparison window.
void FrmMain::mnuCompareFile_Click() {
    std::string path;
    CodeplugImage other{};
    const bool read = RunToErrorExit([&] {
        FileDialog dlgTool;
        dlgTool.Filter = kDataFileFilter;
        dlgTool.InitDir = gstrCurrentFile.value_or("");
        Host().ShowOpenDialog(dlgTool);
        if (dlgTool.FileName.empty()) return;
        if (dlgTool.Failed) throw RunTimeError("the open dialog failed");
        other = ReadOrFail(dlgTool.FileName);
        path = dlgTool.FileName;
    });
    if (!read) Message("msg.wrongFileType", MsgButtons::OK, MsgIcon::Critical);
    if (path.empty()) return;
    RunToErrorExit([&] {
        const std::string name = std::filesystem::path(path).filename().string();
        if (ShowComparison(other, name)) ShowOpenedFile(path, other);
    });
}

void FrmMain::mnuRecentFile_Click(int Index) {
    const bool done = RunToErrorExit([&] {
        const std::string path = gstrRecentFile.at(static_cast<std::size_t>(Index) + 1);
        gbytMatrixCode = ReadOrFail(path);
        SoftDisplay();
        // The settings are saved while the previous file is still the current one.
        InitSoftDefault(true);
        gstrCurrentFile = path;
        ShowCurrentFile();
    });
    if (!done) Message("msg.wrongFileType", MsgButtons::OK, MsgIcon::Exclamation);
}

void FrmMain::SaveFile() {
    const bool done = RunToErrorExit([&] {
        if (Message("msg.saveQuestion", MsgButtons::YesNo, MsgIcon::Question) != MsgResult::Yes) {
            return;
        }
        // Without a current file the codeplug goes to the scratch file; Save never asks for a name.
        std::string target = gstrCurrentFile.value_or("");
        if (target.empty() || target == " ") target = ProgramFilePath(gstrTempDataFile);
        SetConvert();
        SaveOrFail(target, gbytMatrixCode);
        gstrCurrentFile = target;
        ShowCurrentFile();
        InitSoftDefault(true);
    });
    if (!done) Message("msg.saveFailed", MsgButtons::OK, MsgIcon::Critical);
}

void FrmMain::SaveAsFile() {
    const bool done = RunToErrorExit([&] {
        FileDialog dlgTool;
        dlgTool.FileName = "";
        dlgTool.InitDir = gstrCurrentFile.value_or("");
        dlgTool.Filter = kDataFileFilter;
        dlgTool.DefaultExt = kDataFileExtension;
        Host().ShowSaveDialog(dlgTool);
        if (dlgTool.FileName.empty()) return;
        if (dlgTool.Failed) throw RunTimeError("the chosen name cannot be used");
        SetConvert();
        SaveOrFail(dlgTool.FileName, gbytMatrixCode);
        gstrCurrentFile = dlgTool.FileName;
        ShowCurrentFile();
        InitSoftDefault(true);
    });
    if (!done) Message("msg.saveFailed", MsgButtons::OK, MsgIcon::Critical);
}

void FrmMain::NowFileDir() {
    RunToErrorExit([&] {
        gstrRecentCount =
            storage::PushRecentFile(gstrRecentFile, gstrRecentCount, gstrCurrentFile.value_or(""));
        const int count = storage::RecentFileCount(gstrRecentCount);
        const auto show = [&](int position) {
            MenuItem& entry = mnuRecentFile(position - 1);
            entry.SetCaption(storage::RecentFileCaption(
                position, gstrRecentFile.at(static_cast<std::size_t>(position))));
            entry.SetVisible(true);
        };
        for (int i = count; i >= 2; --i) show(i);
        ListSeparator04.SetVisible(true);
        show(1);
    });
}

void FrmMain::Help() {
    RunToErrorExit([&] {
        Host().ShellOpen(ProgramFilePath(gintLanguage == 1 ? kChineseHelp : kEnglishHelp));
    });
}

void FrmMain::mnuAboutSoft_Click() {
    RunToErrorExit([&] {
        frmAboutSoft = std::make_unique<FrmAboutSoft>(Host(), *this, *this);
        frmAboutSoft->ShowModal(this);
        frmAboutSoft.reset();
    });
}

}  // namespace rvm46::ui
