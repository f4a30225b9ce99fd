// What the cable doctor says, in the command line's language (English); the port dialog has its
// own texts in both languages.
#include <string>

#include "comm/port_doctor.h"

namespace rvm46::comm {

std::string PortFinding::Message() const {
    switch (kind) {
        case Kind::kMissing:
            if (device.empty()) {
                return "no programming cable is plugged in (looked for CH340/CH341, PL2303, "
                       "CP210x and FTDI adapters). Plug the cable in; `rvm46 ports` lists the "
                       "serial ports there are.";
            }
            return device +
                   " does not exist: the cable is not plugged in, or its adapter came up under "
                   "another name (`rvm46 ports` lists the serial ports there are).";
        case Kind::kNoDriver:
            return "the " + adapter + " adapter at USB " + device +
                   " is plugged in, but no driver is bound to it. Load the driver: sudo "
                   "modprobe " +
                   driver + ", then plug the cable in again.";
        case Kind::kClaimed:
            return "the " + adapter + " adapter at USB " + device +
                   " is held by a program through " + driver +
                   " instead of the serial driver (brltty does this to CH340/CH341 cables). "
                   "Stop that program (sudo apt remove brltty), then plug the cable in again.";
        case Kind::kPermission: {
            const bool groupMay = (mode & 0060) == 0060;
            std::string text = user + " may not open " + device + ": it belongs to user " + owner +
                               " and group " + group + ", mode " + ModeText(mode);
            if (groupMay && listedInGroup) {
                return text + ", and " + user + " joined the group " + group +
                       " after this session began. Log out and in again (or restart).";
            }
            if (groupMay) {
                text += ", and " + user + " is not in the group " + group +
                        ". Fix: sudo usermod -aG " + group + " $USER, then log out and in again";
            } else {
                text +=
                    ": only its owner may use it. Fix: a udev rule that gives it to a group, "
                    "or to the user at the seat";
            }
            if (adapter.empty()) return text + ".";
            if (ruleInstalled) {
                return text + ". (The rule " + std::string(kCableRulesFile) +
                       " is installed but has not given the user at the seat access: plug the "
                       "cable in again, or run: sudo udevadm trigger; it does not help a user "
                       "logged in from afar.)";
            }
            return text + "; or install this program's package, whose rule " + kCableRulesFile +
                   " lets the user at the seat open " + adapter + " cables.";
        }
        case Kind::kHeldBy:
            return device + " is open in process " + std::to_string(pid) + " (" + process +
                   "). Close that program (or: kill " + std::to_string(pid) + ").";
        case Kind::kModemManager:
            return "ModemManager is running and " + device +
                   " is not marked for it to leave alone; it may probe the port while the radio "
                   "talks. Install this program's package (its rule " +
                   kCableRulesFile +
                   " marks programming cables), or: sudo systemctl stop ModemManager.";
        case Kind::kBrltty:
            return "brltty is installed with a rule (" + ruleFile + ") that takes " + adapter +
                   " cables for braille displays. Remove brltty (sudo apt remove brltty), or "
                   "turn its rule off: sudo ln -s /dev/null /etc/udev/rules.d/" +
                   ruleFile.substr(ruleFile.rfind('/') + 1) + "; then plug the cable in again.";
    }
    return {};
}

}  // namespace rvm46::comm
