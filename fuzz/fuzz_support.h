#pragma once
// Shared by the fuzz targets: a program folder with the delivered setting files, made once per
// process, and the platform the windows run on.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "forms/forms.h"
#include "forms/headless_platform.h"
#include "model/model_table.h"
#include "model/tone_table.h"
#include "storage/tone_file.h"

namespace rvm46::fuzz {

// The delivered tone list, read once.
inline const rvm46::ToneTable& DeliveredTones() {
    static const rvm46::ToneTable tones = rvm46::storage::LoadToneTable(
        std::filesystem::path(RVM46_FUZZ_SOURCE_DIR) / "data" / "Setting" / "QTDQT_5100.ini");
    return tones;
}

// Two models: 400-470 MHz and 446 MHz.
inline const rvm46::ModelTable& TwoModels() {
    static const rvm46::ModelTable models = [] {
        rvm46::ModelTable table;
        table.gintModelCount = 2;
        table.gstrModel = {"4100", "400", "470", "65", "5100", "446", "446", "82"};
        return table;
    }();
    return models;
}

// A fresh program folder with Setting/ copied from the source tree; in memory (/dev/shm) where
// there is one, since the settings are saved with a flush to disk on every run.
inline std::filesystem::path ProgramFolderWithSettings() {
    namespace fs = std::filesystem;
    char shm[] = "/dev/shm/rvm46-fuzz-XXXXXX";
    char tmp[] = "/tmp/rvm46-fuzz-XXXXXX";
    const char* made = fs::is_directory("/dev/shm") ? ::mkdtemp(shm) : nullptr;
    if (made == nullptr) made = ::mkdtemp(tmp);
    if (made == nullptr) std::abort();
    const fs::path folder = made;
    fs::copy(fs::path(RVM46_FUZZ_SOURCE_DIR) / "data" / "Setting", folder / "Setting",
             fs::copy_options::recursive);
    return folder;
}

inline std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFile(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

// Message boxes answer Yes (OK for those without Yes), modal windows return at once, dialogs are
// cancelled, nothing is shown.
class QuietPlatform : public forms::HeadlessPlatform {
  public:
    explicit QuietPlatform(std::string folder) : folder_(std::move(folder)) {}
    forms::MsgResult MsgBox(const std::string&, forms::MsgButtons buttons, forms::MsgIcon,
                            const std::string&) override {
        return buttons == forms::MsgButtons::OK ? forms::MsgResult::OK : forms::MsgResult::Yes;
    }
    void ShowModal(forms::Form&, forms::Form*) override {}
    void CloseForm(forms::Form&) override {}
    void PopupMenu(forms::Form&, forms::MenuItem&) override {}
    void ShowOpenDialog(forms::FileDialog&) override {}
    void ShowSaveDialog(forms::FileDialog&) override {}
    void ShellOpen(const std::string&) override {}
    void PrintSheet(const forms::PrintedSheet&) override {}
    std::string ExportSheetPdf(const forms::PrintedSheet&, const std::string&) override {
        return "no PDF is written while fuzzing";
    }
    std::string ProgramFolder() override { return folder_; }
    void EndProcess() override {}
    void Sleep(int) override {}

  private:
    std::string folder_;
};

}  // namespace rvm46::fuzz
