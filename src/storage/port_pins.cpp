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

}  // namespace rvm46::storage
