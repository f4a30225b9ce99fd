#pragma once
// The one way the cable doctor looks at the machine: files under a root folder, "/" on a real
// system and a folder built by a test otherwise. Paths are given as on the real system
// ("/dev/ttyUSB0", "/proc/self/status") and never leave the root, links included.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace rvm46::comm {

struct FileFacts {
    std::uint32_t owner = 0;  // user id
    std::uint32_t group = 0;  // group id
    std::uint32_t mode = 0;   // permission bits (0660)
};

class SystemFiles {
  public:
    explicit SystemFiles(std::filesystem::path root = "/");

    // The whole file (at most 1 MB), nullopt when it cannot be read.
    std::optional<std::string> Read(const std::string& path) const;
    // The names in a folder, sorted; empty when it cannot be listed.
    std::vector<std::string> List(const std::string& folder) const;
    // A symbolic link's target as stored; nullopt for anything else.
    std::optional<std::string> LinkTarget(const std::string& path) const;
    // Owner, group and mode of what the path leads to (links followed); nullopt when missing.
    std::optional<FileFacts> Facts(const std::string& path) const;
    // The path with every link resolved, as seen from the root; nullopt when missing.
    std::optional<std::string> Resolve(const std::string& path) const;
    // The access list of a file (the raw extended attribute), empty when it has none.
    std::string AccessList(const std::string& path) const;

  private:
    std::filesystem::path Under(const std::string& path) const;
    std::filesystem::path root_;
};

}  // namespace rvm46::comm
