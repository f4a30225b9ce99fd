#pragma once
// Pins of COM numbers to devices: keys "COM1".."COM16" of the configuration file's section
// "Ports", each a device path. Hand-edited; the program only reads them.

#include <filesystem>
#include <map>
#include <string>

namespace rvm46::storage {

inline constexpr char kPortsSection[] = "Ports";

// COM number -> device path, for every key with a non-empty value.
std::map<int, std::string> ReadPortPins(const std::filesystem::path& configFile);

}  // namespace rvm46::storage
