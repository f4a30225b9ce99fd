// COM numbers to devices: pins first, then the ports found, USB adapters first.
#include "comm/port_names.h"

#include <gtest/gtest.h>

#include "storage/port_pins.h"
#include "support/temp_dir.h"

namespace rvm46 {
namespace {

using comm::PortAssignment;
using comm::PortInfo;

PortInfo Usb(std::string device) {
    return {std::move(device), "FT232R USB UART", "FTDI", 0x0403, 0x6001};
}
PortInfo Plain(std::string device) {
    return {std::move(device), "", "", {}, {}};
}

std::vector<std::string> Devices(const comm::PortTable& t) {
    std::vector<std::string> out;
    for (const auto& a : t.com) out.push_back(a.device);
    while (!out.empty() && out.back().empty()) out.pop_back();
    return out;
}

TEST(PortNamesTest, UsbAdaptersFirstInNaturalOrder) {
    const std::vector<PortInfo> found = {Plain("/dev/ttyS1"), Usb("/dev/ttyUSB10"),
                                         Plain("/dev/ttyS0"), Usb("/dev/ttyUSB2"),
                                         Usb("/dev/ttyACM0")};
    const comm::PortTable t = comm::MapPorts(found, {}, false);
    EXPECT_EQ(Devices(t), (std::vector<std::string>{"/dev/ttyACM0", "/dev/ttyUSB2", "/dev/ttyUSB10",
                                                    "/dev/ttyS0", "/dev/ttyS1"}));
    EXPECT_EQ(t.com[0].source, PortAssignment::Source::kFound);
    EXPECT_EQ(t.com[5].source, PortAssignment::Source::kNone);
    EXPECT_TRUE(t.others.empty());
}

TEST(PortNamesTest, PinsWinAndTheRestFillTheFreeNumbers) {
    const std::vector<PortInfo> found = {Usb("/dev/ttyUSB0"), Usb("/dev/ttyUSB1"),
                                         Plain("/dev/ttyS0")};
    const std::map<int, std::string> pins = {
        {1, "/dev/pts/7"}, {3, "/dev/ttyUSB1"}, {0, "/dev/x"}, {17, "/dev/y"}, {5, ""}};
    const comm::PortTable t = comm::MapPorts(found, pins, false);
    EXPECT_EQ(Devices(t), (std::vector<std::string>{"/dev/pts/7", "/dev/ttyUSB0", "/dev/ttyUSB1",
                                                    "/dev/ttyS0"}));
    EXPECT_EQ(t.com[0].source, PortAssignment::Source::kPinned);
    EXPECT_FALSE(t.com[0].info.has_value());
    EXPECT_EQ(t.com[2].source, PortAssignment::Source::kPinned);
    ASSERT_TRUE(t.com[2].info.has_value());  // a pinned adapter keeps its description
    EXPECT_EQ(t.com[2].info->vendorId, 0x0403);
}

TEST(PortNamesTest, SeventeenthPortIsListedApartAndWindowsNamesAreKept) {
    std::vector<PortInfo> found;
    for (int i = 0; i < 17; ++i) found.push_back(Plain("/dev/ttyS" + std::to_string(i)));
    const comm::PortTable t = comm::MapPorts(found, {}, false);
    EXPECT_EQ(t.com[15].device, "/dev/ttyS15");
    ASSERT_EQ(t.others.size(), 1u);
    EXPECT_EQ(t.others[0].device, "/dev/ttyS16");

    const comm::PortTable w = comm::MapPorts({Usb("COM7"), Plain("COM20")}, {{1, "COM9"}}, true);
    EXPECT_EQ(w.com[0].device, "COM1");
    EXPECT_EQ(w.com[6].info->description, "FT232R USB UART");
    ASSERT_EQ(w.others.size(), 1u);
    EXPECT_EQ(w.others[0].device, "COM20");
}

TEST(PortNamesTest, PortArgumentIsAComNameOrADevicePath) {
    const comm::PortTable t =
        comm::MapPorts({Usb("/dev/ttyUSB0")}, {{4, "/dev/pts/3"}, {16, "/dev/pts/5"}}, false);
    const std::vector<std::pair<std::string, std::string>> good = {{"COM1", "/dev/ttyUSB0"},
                                                                   {"com4", "/dev/pts/3"},
                                                                   {"COM16", "/dev/pts/5"},
                                                                   {"/dev/ttyS9", "/dev/ttyS9"}};
    for (const auto& [port, device] : good) {
        std::string error;
        EXPECT_EQ(comm::ResolvePort(port, t, &error), device) << port << error;
    }
    for (const char* bad : {"COM2", "COM0", "COM17", "COM01", "Com"}) {
        std::string error;
        EXPECT_EQ(comm::ResolvePort(bad, t, &error), std::nullopt) << bad;
        EXPECT_NE(error.find(bad), std::string::npos) << error;
    }
}

TEST(PortNamesTest, PinsAreReadFromThePortsSection) {
    testing::TempDir dir;
    const auto file = dir.Write("c.ini",
                                "[Setting]\nCOM=3\n[Ports]\nCOM1=/dev/pts/4\ncom16 = /dev/ttyS2\n"
                                "COM17=/dev/x\nCOM2=\n");
    EXPECT_EQ(storage::ReadPortPins(file),
              (std::map<int, std::string>{{1, "/dev/pts/4"}, {16, "/dev/ttyS2"}}));
}

}  // namespace
}  // namespace rvm46
