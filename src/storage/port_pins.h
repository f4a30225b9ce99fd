#pragma once
// Pins of COM numbers to devices: keys "COM1".."COM16" of the configuration file's section
// "Ports", each a device path. Written by hand, or by the port dialog when the user confirms a
// port that is a USB adapter: then the adapter's stable name is pinned, so that adapters plugged
// in later never move the COM number to another device.

#include <filesystem>
#include <map>
#include <string>

namespace rvm46::storage {

inline constexpr char kPortsSection[] = "Ports";

// COM number -> device path, for every key with a non-empty value.
std::map<int, std::string> ReadPortPins(const std::filesystem::path& configFile);

// The device a path leads to now, through symbolic links (the stable name of a plugged-in adapter
// gives its ttyUSBn), so that a pin is known among the ports the system reports; the path as
// written when it leads nowhere.
std::string DeviceIdentity(const std::string& path);

// Where the system keeps a stable name for each USB serial adapter, made of its maker, model and
// serial number; the name stays when the adapter's ttyUSBn changes.
inline constexpr char kStableFolder[] = "/dev/serial/by-id";

// The stable name in `folder` that leads to `device`; `device` itself when none does.
std::string StablePortPath(const std::string& device,
                           const std::filesystem::path& folder = kStableFolder);

// "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0" -> "FTDI FT232R USB UART A50285BI": the adapter
// a stable name stands for; the file name itself for any other path.
std::string AdapterName(const std::string& path);

}  // namespace rvm46::storage
