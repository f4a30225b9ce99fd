#include "storage/profile_values.h"

#include <limits>

namespace rvm46::storage {

namespace {

std::string_view TrimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The value of an "&H" literal (1 to 8 digits, optional trailing "&"), or nullopt when text is
// not one.
std::optional<std::uint32_t> ParseHexLiteral(std::string_view text) {
    if (text.size() < 2 || text[0] != '&' || (text[1] != 'H' && text[1] != 'h'))
        return std::nullopt;
    text.remove_prefix(2);
    if (text.ends_with('&')) text.remove_suffix(1);
    if (text.empty() || text.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    for (const char c : text) {
        unsigned digit = 0;
        if (IsDigit(c)) {
            digit = static_cast<unsigned>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<unsigned>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<unsigned>(c - 'A' + 10);
        } else {
            return std::nullopt;
        }
        value = value * 16 + digit;
    }
    return value;
}

// A decimal number split into its parts: sign, digits before and after the point.
struct DecimalText {
    bool negative = false;
    std::string_view whole;
    std::string_view fraction;
};

std::optional<DecimalText> SplitDecimal(std::string_view text) {
    DecimalText decimal;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        decimal.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const auto point = text.find('.');
    decimal.whole = text.substr(0, point);
    if (point != std::string_view::npos) decimal.fraction = text.substr(point + 1);
    if (decimal.whole.empty() && decimal.fraction.empty()) return std::nullopt;
    for (const std::string_view part : {decimal.whole, decimal.fraction}) {
        for (const char c : part) {
            if (!IsDigit(c)) return std::nullopt;
        }
    }
    return decimal;
}

}  // namespace

std::optional<long> ParseWholeNumber(std::string_view text) {
    text = TrimSpaces(text);
    if (const auto hex = ParseHexLiteral(text)) {
        return static_cast<long>(static_cast<std::int32_t>(*hex));
    }
    const auto decimal = SplitDecimal(text);
    if (!decimal) return std::nullopt;

    // Accumulate the magnitude as a negative number, which has the larger range.
    constexpr long kMin = std::numeric_limits<long>::min();
    long value = 0;
    for (const char c : decimal->whole) {
        const long digit = c - '0';
        if (value < (kMin + digit) / 10) return std::nullopt;
        value = value * 10 - digit;
    }

    // Round the fraction: above one half up, below down, exactly one half to the even number.
    bool roundAway = false;
    if (!decimal->fraction.empty()) {
        const char first = decimal->fraction.front();
        const bool restIsZero =
            decimal->fraction.find_first_not_of('0', 1) == std::string_view::npos;
        if (first > '5' || (first == '5' && !restIsZero)) {
            roundAway = true;
        } else if (first == '5') {
            roundAway = value % 2 != 0;
        }
    }
    if (roundAway) {
        if (value == kMin) return std::nullopt;
        --value;
    }

    if (decimal->negative) return value;
    if (value == kMin) return std::nullopt;
    return -value;
}

std::optional<bool> ParseBoolean(std::string_view text) {
    text = TrimSpaces(text);
    auto equalsWord = [&](std::string_view word) {
        if (text.size() != word.size()) return false;
        for (std::size_t i = 0; i < word.size(); ++i) {
            const char c = text[i];
            const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
            if (lower != word[i]) return false;
        }
        return true;
    };
    if (equalsWord("true")) return true;
    if (equalsWord("false")) return false;
    if (const auto hex = ParseHexLiteral(text)) return *hex != 0;
    // Any number that is not zero is True, a fraction such as 0.4 included.
    const auto decimal = SplitDecimal(text);
    if (!decimal) return std::nullopt;
    return decimal->whole.find_first_not_of('0') != std::string_view::npos ||
           decimal->fraction.find_first_not_of('0') != std::string_view::npos;
}

std::optional<std::uint32_t> ParseColourLiteral(std::string_view text) {
    text = TrimSpaces(text);
    if (const auto hex = ParseHexLiteral(text)) return hex;
    const auto value = ParseWholeNumber(text);
    if (!value || *value < std::numeric_limits<std::int32_t>::min() ||
        *value > static_cast<long>(std::numeric_limits<std::uint32_t>::max())) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(*value);
}

}  // namespace rvm46::storage
