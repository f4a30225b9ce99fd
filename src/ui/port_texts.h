#pragma once
// What the port dialog says about the serial ports: the device each COM number maps to, and why a
// port did not open, with what the user can do about it. In the language the dialog is shown in.

#include <string>
#include <string_view>
#include <vector>

#include "comm/port_doctor.h"
#include "comm/port_names.h"
#include "ui/text_table.h"

namespace rvm46::ui {

enum class PortFailureKind {
    kUnassigned,  // no device is mapped to the COM number
    kMissing,     // the device does not exist (cable unplugged)
    kPermission,  // the system refused access (rights, or another program holds it)
    kBusy,        // another program has the port open
    kOther,
};

struct PortOpenFailure {
    int port = 0;        // the COM number
    std::string device;  // empty when none is mapped
    PortFailureKind kind = PortFailureKind::kOther;
    std::string systemMessage;  // the serial line's own message
    // What the cable doctor found in the way (Linux), each said with its fix.
    std::vector<comm::PortFinding> findings;
};

// Sorts a serial line's opening error ("/dev/ttyUSB0: no such device") into its kind.
PortFailureKind ClassifyOpenError(std::string_view message);

// One paragraph for the port dialog: what went wrong and what to do; with the doctor's findings,
// the device and one line for each.
std::string DescribeFailure(const PortOpenFailure& failure, const InterfaceTexts& texts,
                            int language);

// Beside COMn in the port dialog: the device's file name ("no device" when none), and as tool tip
// the device path and what the system says it is.
struct PortCaption {
    std::string label;
    std::string toolTip;
};
PortCaption DescribeAssignment(int port, const comm::PortAssignment& assignment,
                               const InterfaceTexts& texts, int language);
// The same for a COM number pinned to `device` (an adapter's stable name) that is not there.
PortCaption DescribeMissingPin(int port, const std::string& device, const InterfaceTexts& texts,
                               int language);

}  // namespace rvm46::ui
