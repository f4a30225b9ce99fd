#include "comm/port_doctor.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <sstream>

#include "comm/udev_rules.h"

namespace rvm46::comm {

namespace {

// Rule folders in the order udev lets a file of the same name override a later one.
constexpr const char* kRuleFolders[] = {"/etc/udev/rules.d", "/run/udev/rules.d",
                                        "/usr/lib/udev/rules.d", "/lib/udev/rules.d"};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator)) parts.push_back(part);
    if (!text.empty() && text.back() == separator) parts.emplace_back();
    return parts;
}

std::optional<long> Number(std::string_view text, int base = 10) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.remove_suffix(1);
    long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

std::string Trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
}

const CableChip* FindChip(std::uint16_t vendor, std::uint16_t product) {
    for (const CableChip& chip : kCableChips) {
        if (chip.vendor == vendor && chip.product == product) return &chip;
    }
    return nullptr;
}

std::string ChipText(const CableChip& chip) {
    char ids[16];
    std::snprintf(ids, sizeof ids, "%04x:%04x", chip.vendor, chip.product);
    return std::string(chip.name) + " (" + ids + ")";
}

// Who this process runs as, from /proc/self/status.
struct Identity {
    std::uint32_t uid = 0;
    std::set<std::uint32_t> groups;
};

std::optional<Identity> ReadIdentity(const SystemFiles& files) {
    const auto status = files.Read("/proc/self/status");
    if (!status) return std::nullopt;
    Identity id;
    bool sawUid = false;
    for (const std::string& line : Lines(*status)) {
        std::istringstream fields(line);
        std::string name;
        fields >> name;
        std::uint32_t value = 0;
        if (name == "Uid:" && fields >> value) {
            id.uid = value;  // the real user
            sawUid = true;
        } else if (name == "Gid:" && fields >> value) {
            id.groups.insert(value);
        } else if (name == "Groups:") {
            while (fields >> value) id.groups.insert(value);
        }
    }
    if (!sawUid) return std::nullopt;
    return id;
}

// name:password:id:... lines of /etc/passwd and /etc/group.
struct Account {
    std::string name;
    std::vector<std::string> members;  // groups only
};

std::map<std::uint32_t, Account> ReadAccounts(const SystemFiles& files, const std::string& path) {
    std::map<std::uint32_t, Account> accounts;
    for (const std::string& line : Lines(files.Read(path).value_or(""))) {
        const std::vector<std::string> f = Split(line, ':');
        if (f.size() < 4) continue;
        const auto id = Number(f[2]);
        if (!id || accounts.contains(static_cast<std::uint32_t>(*id))) continue;
        Account account{f[0], {}};
        if (path == "/etc/group") account.members = Split(f[3], ',');
        accounts.emplace(static_cast<std::uint32_t>(*id), std::move(account));
    }
    return accounts;
}

std::string NameOf(const std::map<std::uint32_t, Account>& accounts, std::uint32_t id) {
    const auto found = accounts.find(id);
    return found == accounts.end() ? std::to_string(id) : found->second.name;
}

// Whether the POSIX access list grants read and write to the user or one of the groups.
bool AccessListGrants(const std::string& acl, const Identity& id) {
    constexpr std::size_t kHeader = 4, kEntry = 8;
    constexpr std::uint16_t kUser = 0x02, kGroup = 0x08, kMask = 0x10;
    auto u16 = [&](std::size_t at) {
        return static_cast<std::uint16_t>(static_cast<unsigned char>(acl[at]) |
                                          static_cast<unsigned char>(acl[at + 1]) << 8);
    };
    auto u32 = [&](std::size_t at) {
        return static_cast<std::uint32_t>(u16(at)) | static_cast<std::uint32_t>(u16(at + 2)) << 16;
    };
    if (acl.size() < kHeader) return false;
    std::uint16_t mask = 7;
    bool granted = false;
    for (std::size_t at = kHeader; at + kEntry <= acl.size(); at += kEntry) {
        const std::uint16_t tag = u16(at), perm = u16(at + 2);
        const std::uint32_t who = u32(at + 4);
        if (tag == kMask) mask = perm;
        if (((tag == kUser && who == id.uid) || (tag == kGroup && id.groups.contains(who))) &&
            (perm & 6) == 6) {
            granted = true;
        }
    }
    return granted && (mask & 6) == 6;
}

bool MayOpen(const FileFacts& facts, const Identity& id, const std::string& acl) {
    if (id.uid == 0) return true;
    if (facts.owner == id.uid) return (facts.mode & 0600) == 0600;
    if (id.groups.contains(facts.group) && (facts.mode & 0060) == 0060) return true;
    if ((facts.mode & 0006) == 0006) return true;
    return AccessListGrants(acl, id);
}

// The udev rule files in effect, by name (a file in /etc hides the packaged one of its name).
struct RuleFile {
    std::string path;
    UdevRuleFile rules;
};

std::vector<RuleFile> ReadRuleFiles(const SystemFiles& files) {
    std::map<std::string, std::string> byName;
    for (const char* folder : kRuleFolders) {
        for (const std::string& name : files.List(folder)) {
            if (name.size() > 6 && name.ends_with(".rules") && !byName.contains(name)) {
                byName.emplace(name, std::string(folder) + "/" + name);
            }
        }
    }
    std::vector<RuleFile> result;
    for (const auto& [name, path] : byName) {
        if (files.LinkTarget(path) == "/dev/null") continue;  // masked
        result.push_back({path, ParseUdevRules(files.Read(path).value_or(""))});
    }
    return result;
}

// A rule of a braille display daemon that takes the adapter: one whose file or actions name it.
std::optional<std::string> BrlttyRuleFor(const std::vector<RuleFile>& rules, std::uint16_t vendor,
                                         std::uint16_t product) {
    for (const RuleFile& file : rules) {
        const bool brlttyFile = file.path.find("brltty") != std::string::npos;
        for (const UdevRule& rule : file.rules.rules) {
            if (!RuleMatchesUsbId(rule, vendor, product)) continue;
            const bool brlttyRule = std::any_of(rule.keys.begin(), rule.keys.end(), [](auto& k) {
                return k.attribute.starts_with("BRLTTY") ||
                       k.value.find("brltty") != std::string::npos;
            });
            if (brlttyFile || brlttyRule) return file.path;
        }
    }
    return std::nullopt;
}

bool OurRuleInstalled(const std::vector<RuleFile>& rules, std::uint16_t vendor,
                      std::uint16_t product) {
    return std::any_of(rules.begin(), rules.end(), [&](const RuleFile& file) {
        return std::any_of(file.rules.rules.begin(), file.rules.rules.end(), [&](auto& rule) {
            return RuleMatchesUsbId(rule, vendor, product) &&
                   RuleAssigns(rule, "TAG", "", "uaccess");
        });
    });
}

// A USB device folder in /sys with its ids.
struct UsbAdapter {
    std::string sysPath;  // "/sys/devices/.../1-1"
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
};

std::optional<UsbAdapter> AdapterAt(const SystemFiles& files, const std::string& sysPath) {
    const auto vendor = Number(files.Read(sysPath + "/idVendor").value_or(""), 16);
    const auto product = Number(files.Read(sysPath + "/idProduct").value_or(""), 16);
    if (!vendor || !product) return std::nullopt;
    return UsbAdapter{sysPath, static_cast<std::uint16_t>(*vendor),
                      static_cast<std::uint16_t>(*product)};
}

// The USB adapter a tty belongs to: up from its device folder to the first with ids.
std::optional<UsbAdapter> AdapterOfTty(const SystemFiles& files, const std::string& tty) {
    auto path = files.Resolve("/sys/class/tty/" + tty + "/device");
    for (std::string at = path.value_or(""); at.size() > 5; at = at.substr(0, at.rfind('/'))) {
        if (auto adapter = AdapterAt(files, at)) return adapter;
    }
    return std::nullopt;
}

std::string Leaf(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

// Processes other than this one that have the device open.
void FindHolders(const SystemFiles& files, const std::string& device,
                 std::vector<PortFinding>& findings) {
    const std::string self = Leaf(files.Resolve("/proc/self").value_or(""));
    for (const std::string& pid : files.List("/proc")) {
        const auto number = Number(pid);
        if (!number || pid == self) continue;
        const std::string fdFolder = "/proc/" + pid + "/fd";
        for (const std::string& fd : files.List(fdFolder)) {
            if (files.LinkTarget(fdFolder + "/" + fd) != device) continue;
            PortFinding f;
            f.kind = PortFinding::Kind::kHeldBy;
            f.device = device;
            f.pid = static_cast<int>(*number);
            f.process = Trimmed(files.Read("/proc/" + pid + "/comm").value_or("?"));
            findings.push_back(std::move(f));
            break;
        }
    }
}

bool ModemManagerRuns(const SystemFiles& files) {
    for (const std::string& pid : files.List("/proc")) {
        if (Number(pid) &&
            Trimmed(files.Read("/proc/" + pid + "/comm").value_or("")) == "ModemManager") {
            return true;
        }
    }
    return false;
}

// What udev recorded about the tty ("E:ID_MM_DEVICE_IGNORE=1" lines).
bool MarkedForModemManager(const SystemFiles& files, const std::string& tty) {
    const std::string numbers = Trimmed(files.Read("/sys/class/tty/" + tty + "/dev").value_or(""));
    const auto data = files.Read("/run/udev/data/c" + numbers);
    if (numbers.empty() || !data) return false;
    const auto lines = Lines(*data);
    return std::find(lines.begin(), lines.end(), "E:ID_MM_DEVICE_IGNORE=1") != lines.end();
}

// Cable adapters plugged in without a serial driver (none bound, or usbfs for a program).
void CheckAdapters(const SystemFiles& files, const std::vector<RuleFile>& rules,
                   std::vector<PortFinding>& findings) {
    bool chSeen = false;
    for (const std::string& name : files.List("/sys/bus/usb/devices")) {
        if (name.find(':') != std::string::npos) continue;  // interfaces
        const auto adapter = AdapterAt(files, "/sys/bus/usb/devices/" + name);
        const CableChip* chip = adapter ? FindChip(adapter->vendor, adapter->product) : nullptr;
        if (chip == nullptr) continue;
        chSeen = chSeen || chip->vendor == 0x1a86;
        std::string driver;
        for (const std::string& entry : files.List("/sys/bus/usb/devices")) {
            if (!entry.starts_with(name + ":")) continue;
            const auto link = files.LinkTarget("/sys/bus/usb/devices/" + entry + "/driver");
            if (link) driver = Leaf(*link);
        }
        if (!driver.empty() && driver != "usbfs") continue;
        PortFinding f;
        f.kind = driver.empty() ? PortFinding::Kind::kNoDriver : PortFinding::Kind::kClaimed;
        f.device = name;
        f.adapter = ChipText(*chip);
        f.driver = driver.empty() ? chip->driver : driver;
        findings.push_back(std::move(f));
    }
    if (!chSeen) return;
    if (const auto file = BrlttyRuleFor(rules, 0x1a86, 0x7523)) {
        PortFinding f;
        f.kind = PortFinding::Kind::kBrltty;
        f.adapter = ChipText(kCableChips[0]);
        f.ruleFile = *file;
        findings.push_back(std::move(f));
    }
}

}  // namespace

PortDiagnosis CheckPort(const SystemFiles& files, const std::string& device) {
    PortDiagnosis diagnosis;
    auto& findings = diagnosis.findings;
    const std::vector<RuleFile> rules = ReadRuleFiles(files);
    const auto facts = files.Facts(device);
    if (!facts) {
        PortFinding missing;
        missing.kind = PortFinding::Kind::kMissing;
        missing.device = device;
        findings.push_back(std::move(missing));
        CheckAdapters(files, rules, findings);
        return diagnosis;
    }
    const std::string tty = Leaf(files.Resolve(device).value_or(device));
    const auto adapter = AdapterOfTty(files, tty);
    const CableChip* chip = adapter ? FindChip(adapter->vendor, adapter->product) : nullptr;

    const auto identity = ReadIdentity(files);
    if (identity && !MayOpen(*facts, *identity, files.AccessList(device))) {
        const auto users = ReadAccounts(files, "/etc/passwd");
        const auto groups = ReadAccounts(files, "/etc/group");
        PortFinding f;
        f.kind = PortFinding::Kind::kPermission;
        f.device = device;
        f.owner = NameOf(users, facts->owner);
        f.group = NameOf(groups, facts->group);
        f.mode = facts->mode;
        f.user = NameOf(users, identity->uid);
        const auto group = groups.find(facts->group);
        f.listedInGroup = group != groups.end() &&
                          std::find(group->second.members.begin(), group->second.members.end(),
                                    f.user) != group->second.members.end();
        f.ruleInstalled = adapter && OurRuleInstalled(rules, adapter->vendor, adapter->product);
        if (chip) f.adapter = ChipText(*chip);
        findings.push_back(std::move(f));
    }
    // /proc shows the device's own name, not the link the user may have given.
    FindHolders(files, files.Resolve(device).value_or(device), findings);
    if (ModemManagerRuns(files) && !MarkedForModemManager(files, tty)) {
        PortFinding f;
        f.kind = PortFinding::Kind::kModemManager;
        f.device = device;
        findings.push_back(std::move(f));
    }
    if (chip && chip->vendor == 0x1a86) {
        if (const auto file = BrlttyRuleFor(rules, adapter->vendor, adapter->product)) {
            PortFinding f;
            f.kind = PortFinding::Kind::kBrltty;
            f.adapter = ChipText(*chip);
            f.ruleFile = *file;
            findings.push_back(std::move(f));
        }
    }
    return diagnosis;
}

PortDiagnosis CheckCables(const SystemFiles& files) {
    PortDiagnosis diagnosis;
    bool anyCable = false;
    for (const std::string& tty : files.List("/sys/class/tty")) {
        const auto adapter = AdapterOfTty(files, tty);
        if (!adapter || !FindChip(adapter->vendor, adapter->product)) continue;
        anyCable = true;
        for (PortFinding& f : CheckPort(files, "/dev/" + tty).findings) {
            const bool repeated =
                f.kind == PortFinding::Kind::kBrltty &&
                std::any_of(diagnosis.findings.begin(), diagnosis.findings.end(),
                            [](auto& g) { return g.kind == PortFinding::Kind::kBrltty; });
            if (!repeated) diagnosis.findings.push_back(std::move(f));
        }
    }
    if (!anyCable) {
        std::vector<PortFinding> adapters;
        CheckAdapters(files, ReadRuleFiles(files), adapters);
        if (adapters.empty() || adapters.front().kind == PortFinding::Kind::kBrltty) {
            diagnosis.findings.push_back(PortFinding{});  // kMissing without a device: no cable
        }
        diagnosis.findings.insert(diagnosis.findings.end(), adapters.begin(), adapters.end());
    }
    return diagnosis;
}

bool PortFinding::Blocks() const {
    return kind != Kind::kModemManager && kind != Kind::kBrltty;
}

bool PortDiagnosis::CanOpen() const {
    return std::none_of(findings.begin(), findings.end(),
                        [](const PortFinding& f) { return f.Blocks(); });
}

std::string ModeText(std::uint32_t mode) {
    std::string text = "c";
    const char* letters = "rwx";
    for (int bit = 8; bit >= 0; --bit) text += (mode >> bit & 1) ? letters[(8 - bit) % 3] : '-';
    return text;
}

}  // namespace rvm46::comm
