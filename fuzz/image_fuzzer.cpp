// Any 1074 bytes as a codeplug image: decoded into the edit state and the grid of the main
// window, then encoded again from what the window shows.
#include <cstdint>
#include <cstring>
#include <memory>

#include "fuzz_support.h"
#include "model/codeplug_layout.h"
#include "storage/profile.h"
#include "ui/frm_main.h"

namespace {

using namespace rvm46;

ui::FrmMain& Window() {
    static fuzz::QuietPlatform platform(fuzz::ProgramFolderWithSettings().string());
    static std::unique_ptr<ui::FrmMain> window = [] {
        // A language is stored, so the start-up asks nothing.
        storage::ProfileWrite(platform.ProgramFolder() + "/Setting/Config_5100.ini", "Setting",
                              "Language", "2");
        auto made = std::make_unique<ui::FrmMain>(platform);
        made->Load();
        return made;
    }();
    return *window;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > layout::kImageSize) return -1;
    ui::FrmMain& window = Window();
    window.gbytMatrixCode.fill(0);
    std::memcpy(window.gbytMatrixCode.data(), data, size);
    window.SoftDisplay();
    window.SetConvert();
    // The image that encoding gives is always one a radio accepts: the header and the channel
    // number table are written whatever the edit state holds.
    if (std::memcmp(window.gbytMatrixCode.data(), "ZRT83N", 6) != 0) std::abort();
    return 0;
}
