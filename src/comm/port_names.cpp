#include "comm/port_names.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <set>

namespace rvm46::comm {

namespace {

// Name order with runs of digits compared by value.
bool NaturalLess(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const bool da = std::isdigit(static_cast<unsigned char>(a[i]));
        const bool db = std::isdigit(static_cast<unsigned char>(b[j]));
        if (da && db) {
            std::size_t ei = i, ej = j;
            while (ei < a.size() && std::isdigit(static_cast<unsigned char>(a[ei]))) ++ei;
            while (ej < b.size() && std::isdigit(static_cast<unsigned char>(b[ej]))) ++ej;
            std::string_view na = a.substr(i, ei - i), nb = b.substr(j, ej - j);
            while (na.size() > 1 && na.front() == '0') na.remove_prefix(1);
            while (nb.size() > 1 && nb.front() == '0') nb.remove_prefix(1);
            if (na.size() != nb.size()) return na.size() < nb.size();
            if (na != nb) return na < nb;
            i = ei;
            j = ej;
        } else {
            if (a[i] != b[j]) return a[i] < b[j];
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j;
}

}  // namespace

std::vector<PortInfo> OrderPorts(std::vector<PortInfo> ports) {
    std::stable_sort(ports.begin(), ports.end(), [](const PortInfo& x, const PortInfo& y) {
        const bool ux = x.vendorId.has_value(), uy = y.vendorId.has_value();
        if (ux != uy) return ux;
        return NaturalLess(x.device, y.device);
    });
    return ports;
}

PortTable MapPorts(const std::vector<PortInfo>& found, const std::map<int, std::string>& pins,
                   bool windowsNames,
                   const std::function<std::string(const std::string&)>& identity) {
    PortTable table;
    const std::vector<PortInfo> ordered = OrderPorts(found);
    const auto id = [&](const std::string& device) { return identity ? identity(device) : device; };
    auto infoOf = [&](const std::string& device) -> std::optional<PortInfo> {
        for (const PortInfo& p : ordered) {
            if (id(p.device) == id(device)) return p;
        }
        return std::nullopt;
    };
    std::set<std::string> used;
    if (windowsNames) {
        for (int n = 1; n <= kPortCount; ++n) {
            PortAssignment& a = table.com[static_cast<std::size_t>(n - 1)];
            a.source = PortAssignment::Source::kSystemName;
            a.device = "COM" + std::to_string(n);
            a.info = infoOf(a.device);
            used.insert(id(a.device));
        }
    } else {
        for (const auto& [n, device] : pins) {
            if (n < 1 || n > kPortCount || device.empty()) continue;
            PortAssignment& a = table.com[static_cast<std::size_t>(n - 1)];
            a = {PortAssignment::Source::kPinned, device, infoOf(device)};
            used.insert(id(device));
        }
        auto next = ordered.begin();
        for (PortAssignment& a : table.com) {
            if (a.source != PortAssignment::Source::kNone) continue;
            while (next != ordered.end() && used.contains(id(next->device))) ++next;
            if (next == ordered.end()) break;
            a = {PortAssignment::Source::kFound, next->device, *next};
            used.insert(id(next->device));
        }
    }
    for (const PortInfo& p : ordered) {
        if (!used.contains(id(p.device))) table.others.push_back(p);
    }
    return table;
}

std::optional<int> ParseComName(std::string_view name) {
    if (name.size() < 4 || name.size() > 5) return std::nullopt;
    for (int i = 0; i < 3; ++i) {
        if (std::toupper(static_cast<unsigned char>(name[static_cast<std::size_t>(i)])) !=
            "COM"[i]) {
            return std::nullopt;
        }
    }
    int n = 0;
    for (char c : name.substr(3)) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
        n = n * 10 + (c - '0');
    }
    if (name[3] == '0' || n < 1 || n > kPortCount) return std::nullopt;
    return n;
}

std::optional<std::string> ResolvePort(std::string_view port, const PortTable& table,
                                       std::string* error) {
    const std::optional<int> n = ParseComName(port);
    if (!n) {
        // A name like "COM17" or "com0" is a mistake, not a device path.
        const bool comLike = port.size() >= 3 &&
                             port.find_first_of("/\\") == std::string_view::npos &&
                             std::toupper(static_cast<unsigned char>(port[0])) == 'C' &&
                             std::toupper(static_cast<unsigned char>(port[1])) == 'O' &&
                             std::toupper(static_cast<unsigned char>(port[2])) == 'M';
        if (comLike) {
            if (error) *error = std::string(port) + ": no such port (COM1 to COM16)";
            return std::nullopt;
        }
        return std::string(port);
    }
    const PortAssignment& a = table.com[static_cast<std::size_t>(*n - 1)];
    if (a.source == PortAssignment::Source::kNone) {
        if (error) {
            *error = "COM" + std::to_string(*n) +
                     ": no serial port for it (none found; pin one with the key COM" +
                     std::to_string(*n) + " in the section [Ports] of the configuration file)";
        }
        return std::nullopt;
    }
    return a.device;
}

std::string DescribePort(const PortInfo& info) {
    std::string text = info.description;
    if (!info.manufacturer.empty() && text.find(info.manufacturer) == std::string::npos) {
        text += (text.empty() ? "" : ", ") + info.manufacturer;
    }
    if (info.vendorId && info.productId) {
        char id[16];
        std::snprintf(id, sizeof id, "%04x:%04x", *info.vendorId, *info.productId);
        text += (text.empty() ? "USB " : " (USB ") + std::string(id) + (text.empty() ? "" : ")");
    }
    return text;
}

}  // namespace rvm46::comm
