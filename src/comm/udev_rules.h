#pragma once
// Just enough of the udev rule language to answer two questions about a USB-serial adapter: which
// rules apply to its vendor and product id, and what they do to it (tag it for the seat, mark it
// for ModemManager to leave alone, hand it to a braille display daemon). Used by the cable doctor
// on the system's rule folders and by the check of the rules file this package installs.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rvm46::comm {

// One key of a rule: ATTRS{idVendor}=="1a86" is key "ATTRS", attribute "idVendor", op "==",
// value "1a86".
struct UdevKey {
    std::string key;
    std::string attribute;
    std::string op;
    std::string value;
};

struct UdevRule {
    int line = 0;
    std::vector<UdevKey> keys;
};

struct UdevRuleFile {
    std::vector<UdevRule> rules;
    std::vector<std::string> errors;  // "line 4: ..." for every line that is not a rule
};

// Parses a rules file's text: comments, blank lines, backslash continuations; keys separated by
// commas, each KEY[{attr}] OP "value".
UdevRuleFile ParseUdevRules(std::string_view text);

// A udev pattern: *, ? and [...] with | between alternatives.
bool UdevPatternMatches(std::string_view pattern, std::string_view text);

// True when the rule's id keys (ATTRS/ATTR{idVendor}, {idProduct}, ENV{PRODUCT},
// ENV{ID_VENDOR_ID}, ENV{ID_MODEL_ID}) all hold for the adapter and there is at least one.
// Other match keys (subsystem, action, kernel name) are taken to hold.
bool RuleMatchesUsbId(const UdevRule& rule, std::uint16_t vendor, std::uint16_t product);

// True when the rule has an assignment `key`[{attribute}] with =, += or := whose value matches
// the pattern.
bool RuleAssigns(const UdevRule& rule, std::string_view key, std::string_view attribute,
                 std::string_view pattern);

}  // namespace rvm46::comm
