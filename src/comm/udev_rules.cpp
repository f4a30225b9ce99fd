#include "comm/udev_rules.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <set>

namespace rvm46::comm {

namespace {

enum class KeyUse { kMatch, kAssign, kBoth };

struct KeyKind {
    std::string_view name;
    KeyUse use;
    bool attribute;  // takes {attr}
};

constexpr KeyKind kKeys[] = {
    {"ACTION", KeyUse::kMatch, false},    {"DEVPATH", KeyUse::kMatch, false},
    {"KERNEL", KeyUse::kMatch, false},    {"KERNELS", KeyUse::kMatch, false},
    {"SUBSYSTEM", KeyUse::kMatch, false}, {"SUBSYSTEMS", KeyUse::kMatch, false},
    {"DRIVER", KeyUse::kMatch, false},    {"DRIVERS", KeyUse::kMatch, false},
    {"ATTRS", KeyUse::kMatch, true},      {"TAGS", KeyUse::kMatch, false},
    {"RESULT", KeyUse::kMatch, false},    {"CONST", KeyUse::kMatch, true},
    {"PROGRAM", KeyUse::kMatch, false},   {"TEST", KeyUse::kMatch, true},
    {"ATTR", KeyUse::kBoth, true},        {"SYSCTL", KeyUse::kBoth, true},
    {"ENV", KeyUse::kBoth, true},         {"TAG", KeyUse::kBoth, false},
    {"NAME", KeyUse::kBoth, false},       {"SYMLINK", KeyUse::kBoth, false},
    {"OWNER", KeyUse::kAssign, false},    {"GROUP", KeyUse::kAssign, false},
    {"MODE", KeyUse::kAssign, false},     {"SECLABEL", KeyUse::kAssign, true},
    {"RUN", KeyUse::kAssign, true},       {"IMPORT", KeyUse::kAssign, true},
    {"OPTIONS", KeyUse::kAssign, false},  {"LABEL", KeyUse::kAssign, false},
    {"GOTO", KeyUse::kAssign, false},
};

const KeyKind* FindKey(std::string_view name) {
    for (const KeyKind& k : kKeys) {
        if (k.name == name) return &k;
    }
    return nullptr;
}

bool IsMatchOp(std::string_view op) {
    return op == "==" || op == "!=";
}

class LineParser {
  public:
    explicit LineParser(std::string_view text) : text_(text) {}

    // Empty on success, else what is wrong.
    std::string Parse(UdevRule& rule) {
        SkipSpace();
        while (true) {
            UdevKey key;
            if (std::string problem = ParseKey(key); !problem.empty()) return problem;
            rule.keys.push_back(std::move(key));
            SkipSpace();
            if (at_ == text_.size()) return {};
            if (text_[at_] != ',') return "keys must be separated by commas";
            ++at_;
            SkipSpace();
            if (at_ == text_.size()) return "a comma ends the line";
        }
    }

  private:
    std::string ParseKey(UdevKey& key) {
        const std::size_t start = at_;
        while (at_ < text_.size() &&
               (std::isupper(static_cast<unsigned char>(text_[at_])) || text_[at_] == '_')) {
            ++at_;
        }
        key.key = std::string(text_.substr(start, at_ - start));
        const KeyKind* kind = FindKey(key.key);
        if (key.key.empty()) return "a key is missing";
        if (kind == nullptr) return "unknown key \"" + key.key + "\"";
        if (at_ < text_.size() && text_[at_] == '{') {
            const std::size_t close = text_.find('}', at_);
            if (close == std::string_view::npos) return "unclosed {";
            key.attribute = std::string(text_.substr(at_ + 1, close - at_ - 1));
            at_ = close + 1;
        }
        if (kind->attribute && key.attribute.empty() && key.key != "IMPORT" && key.key != "RUN" &&
            key.key != "TEST") {
            return key.key + " needs {attribute}";
        }
        if (!kind->attribute && !key.attribute.empty()) return key.key + " takes no {attribute}";
        SkipSpace();
        for (std::string_view op : {"==", "!=", "+=", "-=", ":=", "="}) {
            if (text_.substr(at_, op.size()) == op) {
                key.op = std::string(op);
                at_ += op.size();
                break;
            }
        }
        if (key.op.empty()) return key.key + " has no operator";
        if (kind->use == KeyUse::kMatch && !IsMatchOp(key.op)) {
            return key.key + " can only be compared (== or !=)";
        }
        if (kind->use == KeyUse::kAssign && IsMatchOp(key.op)) {
            return key.key + " can only be assigned";
        }
        SkipSpace();
        if (at_ == text_.size() || text_[at_] != '"') return key.key + ": value must be quoted";
        ++at_;
        while (at_ < text_.size() && text_[at_] != '"') {
            if (text_[at_] == '\\' && at_ + 1 < text_.size()) ++at_;
            key.value += text_[at_++];
        }
        if (at_ == text_.size()) return key.key + ": unclosed quote";
        ++at_;
        return {};
    }

    void SkipSpace() {
        while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_]))) ++at_;
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

bool GlobMatches(std::string_view p, std::string_view t) {
    if (p.empty()) return t.empty();
    if (p[0] == '*') {
        for (std::size_t skip = 0; skip <= t.size(); ++skip) {
            if (GlobMatches(p.substr(1), t.substr(skip))) return true;
        }
        return false;
    }
    if (t.empty()) return false;
    if (p[0] == '[') {
        const std::size_t close = p.find(']', 1);
        if (close != std::string_view::npos) {
            const std::string_view set = p.substr(1, close - 1);
            const bool negate = !set.empty() && (set[0] == '!' || set[0] == '^');
            bool in = false;
            for (std::size_t i = negate ? 1 : 0; i < set.size(); ++i) {
                if (i + 2 < set.size() && set[i + 1] == '-') {
                    in = in || (t[0] >= set[i] && t[0] <= set[i + 2]);
                    i += 2;
                } else {
                    in = in || t[0] == set[i];
                }
            }
            return in != negate && GlobMatches(p.substr(close + 1), t.substr(1));
        }
    }
    return (p[0] == '?' || p[0] == t[0]) && GlobMatches(p.substr(1), t.substr(1));
}

// Whether a match key holds for the value; unknown values (nullopt) hold.
bool KeyHolds(const UdevKey& key, std::string_view value) {
    const bool matches = UdevPatternMatches(key.value, value);
    return key.op == "==" ? matches : !matches;
}

std::string Hex4(std::uint16_t id) {
    char text[8];
    std::snprintf(text, sizeof text, "%04x", id);
    return text;
}

std::string HexShort(std::uint16_t id) {
    char text[8];
    std::snprintf(text, sizeof text, "%x", id);
    return text;
}

}  // namespace

UdevRuleFile ParseUdevRules(std::string_view text) {
    UdevRuleFile file;
    std::set<std::string> labels;
    std::vector<std::pair<int, std::string>> gotos;
    int lineNumber = 0;
    std::string logical;
    int logicalStart = 0;
    std::size_t at = 0;
    while (at <= text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (logical.empty()) logicalStart = lineNumber;
        if (!line.empty() && line.back() == '\\') {
            logical += line.substr(0, line.size() - 1);
            continue;
        }
        logical += line;
        const std::size_t first = logical.find_first_not_of(" \t");
        if (first != std::string::npos && logical[first] != '#') {
            UdevRule rule;
            rule.line = logicalStart;
            LineParser parser(logical);
            const std::string problem = parser.Parse(rule);
            if (!problem.empty()) {
                file.errors.push_back("line " + std::to_string(logicalStart) + ": " + problem);
            } else {
                for (const UdevKey& key : rule.keys) {
                    if (key.key == "LABEL") labels.insert(key.value);
                    if (key.key == "GOTO") gotos.emplace_back(rule.line, key.value);
                }
                file.rules.push_back(std::move(rule));
            }
        }
        logical.clear();
        if (end == text.size()) break;
    }
    for (const auto& [line, label] : gotos) {
        if (!labels.contains(label)) {
            file.errors.push_back("line " + std::to_string(line) + ": GOTO \"" + label +
                                  "\" has no LABEL");
        }
    }
    return file;
}

bool UdevPatternMatches(std::string_view pattern, std::string_view text) {
    std::size_t start = 0;
    while (true) {
        const std::size_t bar = pattern.find('|', start);
        const std::string_view one = pattern.substr(start, bar - start);
        if (GlobMatches(one, text)) return true;
        if (bar == std::string_view::npos) return false;
        start = bar + 1;
    }
}

bool RuleMatchesUsbId(const UdevRule& rule, std::uint16_t vendor, std::uint16_t product) {
    const std::string v = Hex4(vendor);
    const std::string p = Hex4(product);
    // ENV{PRODUCT} of a USB device is "vendor/product/bcdDevice" in hex without leading zeros.
    const std::string productEnv = HexShort(vendor) + "/" + HexShort(product) + "/0";
    bool sawId = false;
    for (const UdevKey& key : rule.keys) {
        if (!IsMatchOp(key.op)) continue;
        const bool attr = key.key == "ATTRS" || key.key == "ATTR";
        std::string value;
        if ((attr && key.attribute == "idVendor") ||
            (key.key == "ENV" && key.attribute == "ID_VENDOR_ID")) {
            value = v;
        } else if ((attr && key.attribute == "idProduct") ||
                   (key.key == "ENV" && key.attribute == "ID_MODEL_ID")) {
            value = p;
        } else if (key.key == "ENV" && key.attribute == "PRODUCT") {
            // The device release is not known here; any release matches a pattern that ends in *.
            value = productEnv;
            if (!KeyHolds(key, value) &&
                !KeyHolds(key, HexShort(vendor) + "/" + HexShort(product) + "/100")) {
                return false;
            }
            sawId = true;
            continue;
        } else {
            continue;
        }
        sawId = true;
        std::string lower = key.value;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        UdevKey folded = key;
        folded.value = lower;
        if (!KeyHolds(folded, value)) return false;
    }
    return sawId;
}

bool RuleAssigns(const UdevRule& rule, std::string_view key, std::string_view attribute,
                 std::string_view pattern) {
    return std::any_of(rule.keys.begin(), rule.keys.end(), [&](const UdevKey& k) {
        return k.key == key && k.attribute == attribute && !IsMatchOp(k.op) && k.op != "-=" &&
               UdevPatternMatches(pattern, k.value);
    });
}

}  // namespace rvm46::comm
