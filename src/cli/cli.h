#pragma once
// The command-line companion: verbs over the core, for users who script.

#include <filesystem>
#include <ostream>

#include "comm/protocol.h"
#include "comm/serial_line.h"

namespace rvm46::cli {

// Runs one command line. `programFolder` is where the default configuration and tone list files
// are found (under Setting/). Returns the process exit status: 0 done, 1 bad input or I/O failure
// (with a message on err), other values for usage errors. The radio verbs use `serial` (nullptr:
// the machine's serial ports) at `timing`'s pace and draw a progress bar on err when `progress` is
// set.
int RunCli(int argc, const char* const* argv, const std::filesystem::path& programFolder,
           std::ostream& out, std::ostream& err, comm::SerialSystem* serial = nullptr,
           bool progress = false, const comm::Timing& timing = {});

}  // namespace rvm46::cli
