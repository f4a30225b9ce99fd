// Any file content as a profile file: read as the configuration (settings, model table, titles,
// defaults) and as the tone list; then one key written into it, which must read back as written
// unless the write was refused, and a refused file must stay as it was.
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "storage/profile.h"
#include "storage/settings.h"
#include "storage/tone_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace rvm46;
    static const std::filesystem::path file = fuzz::ProgramFolderWithSettings() / "fuzz.ini";
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    fuzz::WriteFile(file, bytes);

    storage::ConfigFile config(file);
    const ModelTable models = config.ReadModelTable();
    for (int m = 0; m < models.gintModelCount; ++m) (void)ModelCode(models, m);
    (void)config.ReadTitles();
    (void)config.ReadDefaults();
    (void)config.ReadColours();
    for (const auto* key : {&storage::setting::kLanguage, &storage::setting::kCom,
                            &storage::setting::kModel, &storage::setting::kFreEqual}) {
        (void)config.ReadInteger(*key);
    }
    (void)config.ReadBoolean(storage::setting::kValLegal);
    std::string problem;
    (void)storage::LoadToneTable(file, &problem);

    // The settings a save writes, then read back from the file.
    const bool written = config.Save({2, 3, std::string("/data/x.Dat"), 1, true});
    if (!config.Problem().empty()) {
        if (written || fuzz::ReadFile(file) != bytes)
            std::abort();  // a refused file is never written
        return 0;
    }
    if (written) {
        const storage::ProfileSnapshot again(file);
        if (again.Read("Setting", "COM", "", 10) != "3" ||
            again.Read("Setting", "Path", "", 300) != "/data/x.Dat" ||
            again.Read("SETTING", "model", "", 10) != "1") {
            std::abort();
        }
    }
    return 0;
}
