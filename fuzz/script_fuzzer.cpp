// Any text as a scenario script of rvm46-script: parsed and run against the headless program in
// a program folder of its own. A script failure (a bad line) is an expected end; a crash, a hang
// or a sanitizer report is not. Scripts that name files for the file dialogs are skipped: the
// program would write where they say.
#include <cstdint>
#include <sstream>
#include <string>

#include "fuzz_support.h"
#include "model/run_time_error.h"
#include "script/driver.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace rvm46;
    static const std::string folder = fuzz::ProgramFolderWithSettings().string();
    static const std::string config = folder + "/Setting/Config_5100.ini";
    static const std::string delivered = fuzz::ReadFile(config);
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (text.find("filename") != std::string::npos) return -1;
    // Every run starts as a fresh installation: the settings an earlier run saved are undone.
    fuzz::WriteFile(config, delivered);
    std::istringstream script(text);
    std::ostringstream out;
    script::Driver driver(script, out, folder);
    try {
        driver.Run();
    } catch (const script::ScriptFailure&) {
    } catch (const RunTimeError&) {
    }
    return 0;
}
