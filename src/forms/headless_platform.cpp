#include "forms/headless_platform.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <thread>

#include "forms/errors.h"

namespace rvm46::forms {

namespace fs = std::filesystem;

std::string HeadlessPlatform::ProgramFolder() {
    std::error_code error;
    fs::path exe = fs::read_symlink("/proc/self/exe", error);
    if (error) return fs::current_path().string();
    return exe.parent_path().string();
}

bool HeadlessPlatform::FolderExists(const std::string& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

void HeadlessPlatform::CreateFolder(const std::string& path) {
    std::error_code error;
    if (!fs::create_directory(path, error) && error) {
        throw ControlError(ErrorNumber::PathFileAccess,
                           "cannot create folder " + path + ": " + error.message());
    }
}

void HeadlessPlatform::Sleep(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void HeadlessPlatform::EndProcess() {
    std::exit(0);
}

}  // namespace rvm46::forms
