#pragma once
// Checks the command line makes of its input files before it acts on them.

#include <cstdint>
#include <ostream>
#include <string>

#include "storage/settings.h"

namespace rvm46::cli {

// The configuration file at `path`, refused (InputError) when it is missing, cannot be read, is
// not a configuration the program reads, or has no model table: a command falling back to the
// defaults would use other ports or other bands than the user's.
storage::ConfigFile RequireConfiguration(const std::string& path);

// A warning on err when a data file is not a data file's 1074 bytes: it is most likely not a
// data file, and the user should know how it was read.
void WarnOnDataFileSize(const std::string& file, std::uintmax_t size, std::ostream& err);

}  // namespace rvm46::cli
