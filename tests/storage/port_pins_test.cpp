// Pins to USB adapters by their stable names: the stable name found for a device, the adapter's
// name read from it, and a pin through such a name recognised among the ports the system reports.
#include "storage/port_pins.h"

#include <gtest/gtest.h>

#include "comm/port_names.h"
#include "support/temp_dir.h"

namespace rvm46::testing {
namespace {

namespace fs = std::filesystem;

TEST(PortPinsTest, StableNamesLeadToTheAdapterAndKeepItsComNumber) {
    TempDir dir;
    const fs::path device = dir.Write("ttyUSB7", "");
    const fs::path other = dir.Write("ttyUSB8", "");
    fs::create_directories(dir / "by-id");
    const fs::path stable = dir / "by-id" / "usb-Prolific_PL2303_AB12-if00-port0";
    fs::create_symlink(device, stable);
    EXPECT_EQ(storage::StablePortPath(device.string(), dir / "by-id"), stable.string());
    EXPECT_EQ(storage::StablePortPath(other.string(), dir / "by-id"), other.string());
    EXPECT_EQ(storage::StablePortPath("/dev/rvm46-none", dir / "by-id"), "/dev/rvm46-none");

    EXPECT_EQ(storage::AdapterName(stable.string()), "Prolific PL2303 AB12");
    EXPECT_EQ(storage::AdapterName("/dev/ttyS0"), "ttyS0");

    // COM2 pinned to the stable name: the adapter (reported by its own path) is COM2 only, and
    // the other port found takes COM1.
    const std::vector<comm::PortInfo> found = {{device.string(), "PL2303", "", 0x067B, 0x2303},
                                               {other.string(), "", "", 0x0403, 0x6001}};
    const comm::PortTable table =
        comm::MapPorts(found, {{2, stable.string()}}, false, storage::DeviceIdentity);
    EXPECT_EQ(table.com[0].device, other.string());
    EXPECT_EQ(table.com[1].device, stable.string());
    ASSERT_TRUE(table.com[1].info.has_value());
    EXPECT_EQ(table.com[1].info->description, "PL2303");
    EXPECT_EQ(table.com[2].source, comm::PortAssignment::Source::kNone);
}

}  // namespace
}  // namespace rvm46::testing
