#pragma once
// The program finds its files relative to its own folder. Paths inside that folder are written
// the way the configuration stores them ("\Setting\Config_5100.ini") and turned into real paths
// here.

#include <filesystem>
#include <string>
#include <string_view>

namespace rvm46::storage {

// The folder that holds the running executable.
std::filesystem::path ExecutableFolder();

// folder + a relative path written with backslashes, e.g. "\Data\TempData.dat".
std::filesystem::path ProgramFile(const std::filesystem::path& folder, std::string_view relative);

inline constexpr std::string_view kConfigFile = "\\Setting\\Config_5100.ini";
inline constexpr std::string_view kToneFile = "\\Setting\\QTDQT_5100.ini";
inline constexpr std::string_view kTempDataFile = "\\Data\\TempData.dat";
// Kept versions: every read from a radio, and what a data file held before a save replaced it.
inline constexpr std::string_view kBackupFolder = "\\Data\\Backup";

}  // namespace rvm46::storage
