#include "cli/input_checks.h"

#include <filesystem>

#include "cli/codeplug_json.h"
#include "model/codeplug_layout.h"

namespace rvm46::cli {

storage::ConfigFile RequireConfiguration(const std::string& path) {
    const std::string named = "configuration file \"" + path + "\" ";
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) throw InputError(named + "cannot be read");
    storage::ConfigFile config(path);
    if (!config.Problem().empty()) throw InputError(named + config.Problem());
    if (const std::string problem = config.ModelTableProblem(); !problem.empty()) {
        throw InputError(named + problem);
    }
    return config;
}

void WarnOnDataFileSize(const std::string& file, std::uintmax_t size, std::ostream& err) {
    using layout::kImageSize;
    if (size < kImageSize) {
        err << "rvm46: warning: \"" << file << "\" is " << size << " bytes, shorter than a data "
            << "file (" << kImageSize << " bytes); the missing bytes were read as 00h\n";
    } else if (size > kImageSize) {
        err << "rvm46: warning: \"" << file << "\" is " << size << " bytes, longer than a data "
            << "file (" << kImageSize << " bytes); only its first " << kImageSize
            << " bytes were read\n";
    }
}

}  // namespace rvm46::cli
