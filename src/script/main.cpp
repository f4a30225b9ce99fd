// rvm46-script [--folder PROGRAM_FOLDER] SCRIPT   (SCRIPT may be - for standard input)
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include "model/run_time_error.h"
#include "script/driver.h"
#include "serialport/qt_serial_line.h"

int main(int argc, char** argv) {
    using namespace rvm46::script;
    std::string folder;
    std::string script;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--folder" && i + 1 < argc) {
            folder = argv[++i];
        } else if (script.empty() && (arg == "-" || arg.rfind("--", 0) != 0)) {
            script = arg;
        } else {
            script.clear();
            break;
        }
    }
    if (script.empty()) {
        std::cerr << "usage: rvm46-script [--folder PROGRAM_FOLDER] SCRIPT\n";
        return kExitUsage;
    }
    if (!folder.empty()) {
        std::error_code ec;
        const auto absolute = std::filesystem::absolute(folder, ec);
        if (!ec) folder = absolute.lexically_normal().string();
        while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    }
    if (!folder.empty() && !std::filesystem::is_directory(folder)) {
        std::cerr << "rvm46-script: no folder " << folder << "\n";
        return kExitUsage;
    }

    std::ifstream file;
    if (script != "-") {
        file.open(script);
        if (!file) {
            std::cerr << "rvm46-script: cannot read " << script << "\n";
            return kExitUsage;
        }
    }
    std::istream& in = script == "-" ? std::cin : file;
    const std::string shown = script == "-" ? "<stdin>" : script;

    Driver driver(in, std::cout, folder, std::make_unique<rvm46::serialport::QtSerialSystem>());
    try {
        driver.Run();
    } catch (const ScriptFailure& failure) {
        std::cerr << shown << ":" << driver.LineNumber() << ": " << failure.what() << "\n";
        return failure.Status();
    } catch (const rvm46::RunTimeError& error) {
        std::cerr << shown << ":" << driver.LineNumber()
                  << ": run-time error not handled by the program: " << error.what() << "\n";
        return kExitRunTimeError;
    }
    return kExitDone;
}
