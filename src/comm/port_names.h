#pragma once
// The program names its ports COM1..COM16. On Windows those are the system's own names; elsewhere
// COMn is given a device path, in this order:
//   1. a pin: key "COMn" of the configuration file's section "Ports" (hand-edited; the program
//      never writes it), the way a user or a test ties a COM number to a given device;
//   2. otherwise the serial ports the system reports and nobody pinned, in a stable order with USB
//      adapters first, given to the unpinned numbers from COM1 up, so that a user's one
//      programming cable is COM1.
// Pure functions over the enumerated list and the pins, so they are tested without hardware.

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "comm/serial_line.h"

namespace rvm46::comm {

inline constexpr int kPortCount = 16;

struct PortAssignment {
    enum class Source { kNone, kSystemName, kPinned, kFound };
    Source source = Source::kNone;
    std::string device;            // empty with kNone
    std::optional<PortInfo> info;  // what the system reports about the device, when it does
};

struct PortTable {
    std::array<PortAssignment, kPortCount> com;  // index n - 1 for COMn
    std::vector<PortInfo> others;                // ports found but given no COM number
};

// USB adapters (those with a vendor id) first, then the rest; inside each group by device name
// with numbers compared as numbers (ttyUSB2 before ttyUSB10).
std::vector<PortInfo> OrderPorts(std::vector<PortInfo> ports);

// pins: COM number -> device path; numbers outside 1..16 and empty paths are ignored.
// `identity` gives the device a path stands for (a pin may name an adapter by another path than
// the one the system reports); without it paths are compared as written.
PortTable MapPorts(const std::vector<PortInfo>& found, const std::map<int, std::string>& pins,
                   bool windowsNames,
                   const std::function<std::string(const std::string&)>& identity = {});

// "COM3" (any letter case) -> 3 for 1..16; nullopt for anything else.
std::optional<int> ParseComName(std::string_view name);

// The device for a port given as "COMn" or as a device path; nullopt when COMn has no device
// (the message then says why).
std::optional<std::string> ResolvePort(std::string_view port, const PortTable& table,
                                       std::string* error);

// "FT232R USB UART (0403:6001)" style text for a port, empty when nothing is known.
std::string DescribePort(const PortInfo& info);

}  // namespace rvm46::comm
