#include "storage/program_paths.h"

#include <system_error>

namespace rvm46::storage {

std::filesystem::path ExecutableFolder() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return std::filesystem::current_path();
    return exe.parent_path();
}

std::filesystem::path ProgramFile(const std::filesystem::path& folder, std::string_view relative) {
    std::filesystem::path result = folder;
    std::string part;
    for (const char c : relative) {
        if (c == '\\' || c == '/') {
            if (!part.empty()) result /= part;
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) result /= part;
    return result;
}

}  // namespace rvm46::storage
