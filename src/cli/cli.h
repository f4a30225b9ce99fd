#pragma once
// The command-line companion: verbs over the core, for users who script.

#include <filesystem>
#include <ostream>

namespace rvm46::cli {

// Runs one command line. `programFolder` is where the default configuration and tone list files
// are found (under Setting/). Returns the process exit status: 0 done, 1 bad input or I/O failure
// (with a message on err), other values for usage errors.
int RunCli(int argc, const char* const* argv, const std::filesystem::path& programFolder,
           std::ostream& out, std::ostream& err);

}  // namespace rvm46::cli
