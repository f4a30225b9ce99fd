#include "storage/port_pins.h"

#include "storage/profile.h"

namespace rvm46::storage {

std::map<int, std::string> ReadPortPins(const std::filesystem::path& configFile) {
    const ProfileSnapshot profile(configFile);
    std::map<int, std::string> pins;
    for (int n = 1; n <= 16; ++n) {
        std::string device = profile.Read(kPortsSection, "COM" + std::to_string(n), "", 4096);
        if (!device.empty()) pins[n] = std::move(device);
    }
    return pins;
}

std::string DeviceIdentity(const std::string& path) {
    std::error_code ec;
    const auto target = std::filesystem::canonical(path, ec);
    return ec ? path : target.string();
}

std::string StablePortPath(const std::string& device, const std::filesystem::path& folder) {
    std::error_code ec;
    const auto target = std::filesystem::canonical(device, ec);
    if (ec) return device;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code linkError;
        if (std::filesystem::canonical(it->path(), linkError) == target && !linkError) {
            return it->path().string();
        }
    }
    return device;
}

std::string AdapterName(const std::string& path) {
    std::string name = std::filesystem::path(path).filename().string();
    if (name.rfind("usb-", 0) != 0) return name;
    name.erase(0, 4);
    // The interface and port suffix says nothing to a user.
    if (const auto suffix = name.rfind("-if"); suffix != std::string::npos) name.erase(suffix);
    for (char& c : name) {
        if (c == '_') c = ' ';
    }
    while (!name.empty() && name.back() == ' ') name.pop_back();
    return name;
}

}  // namespace rvm46::storage
