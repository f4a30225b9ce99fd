#pragma once
// The cable doctor: what stands between the user and a serial port on Linux, each with its fix.
// Everything is read from the system's files (/dev, /sys, /proc, /etc, the udev rule folders)
// through SystemFiles, so a test runs it on a folder that looks like a system.

#include <cstdint>
#include <string>
#include <vector>

#include "comm/system_files.h"

namespace rvm46::comm {

// The USB-serial chips of programming cables; the rules file this package installs names them.
struct CableChip {
    std::uint16_t vendor;
    std::uint16_t product;
    const char* name;
    const char* driver;  // the kernel module
};
inline constexpr CableChip kCableChips[] = {
    {0x1a86, 0x7523, "CH340/CH341", "ch341"}, {0x1a86, 0x5523, "CH341", "ch341"},
    {0x067b, 0x2303, "PL2303", "pl2303"},     {0x067b, 0x23a3, "PL2303", "pl2303"},
    {0x10c4, 0xea60, "CP210x", "cp210x"},     {0x0403, 0x6001, "FTDI", "ftdi_sio"},
    {0x0403, 0x6015, "FTDI", "ftdi_sio"},
};
inline constexpr const char* kCableRulesFile = "70-rvm46-cables.rules";

struct PortFinding {
    enum class Kind {
        kMissing,       // the device does not exist (or, for the whole system, no cable is in)
        kNoDriver,      // a cable adapter is plugged in and no driver is bound to it
        kClaimed,       // a program holds the adapter through usbfs instead of a serial driver
        kPermission,    // the user may not open the device
        kHeldBy,        // another process has the device open
        kModemManager,  // ModemManager runs and the device is not marked for it to leave alone
        kBrltty,        // brltty's rule takes CH340/CH341 cables for braille displays
    };
    Kind kind = Kind::kMissing;
    std::string device;   // the port's device, or the adapter's USB path ("1-1.2")
    std::string adapter;  // "CH340/CH341 (1a86:7523)"; empty when not a known cable
    std::string driver;   // kNoDriver: the module to load; kClaimed: the driver bound
    // kPermission:
    std::string owner;
    std::string group;
    std::uint32_t mode = 0;
    std::string user;
    bool listedInGroup = false;  // in /etc/group, but this session started before
    bool ruleInstalled = false;  // our rules file is there (the user at the seat gets access)
    // kHeldBy:
    int pid = 0;
    std::string process;
    // kBrltty: where the rule is ("/usr/lib/udev/rules.d/85-brltty.rules").
    std::string ruleFile;

    // Whether the port cannot be opened because of it (ModemManager and brltty only disturb).
    bool Blocks() const;
    // One paragraph: what is wrong and the exact fix.
    std::string Message() const;
};

struct PortDiagnosis {
    std::vector<PortFinding> findings;
    bool CanOpen() const;  // no finding blocks
};

// One device ("/dev/ttyUSB0", links followed).
PortDiagnosis CheckPort(const SystemFiles& files, const std::string& device);
// Every programming cable plugged in; "missing" when there is none.
PortDiagnosis CheckCables(const SystemFiles& files);

// "crw-rw----" for a character device's mode bits.
std::string ModeText(std::uint32_t mode);

}  // namespace rvm46::comm
