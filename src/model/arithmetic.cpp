#include "model/arithmetic.h"

#include <cctype>
#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "model/run_time_error.h"

namespace rvm46 {

std::int64_t RoundHalfEven(double value) {
    // 2^63 is exactly representable; anything at or beyond it cannot be converted.
    constexpr double kLimit = 9223372036854775808.0;
    if (!std::isfinite(value) || value >= kLimit || value < -kLimit) {
        throw RunTimeError("Overflow");
    }
    // nearbyint rounds in the current mode, which the program never leaves: to nearest, ties even.
    return static_cast<std::int64_t>(std::nearbyint(value));
}

std::int16_t RoundToInteger(double value) {
    const std::int64_t whole = RoundHalfEven(value);
    if (whole < INT16_MIN || whole > INT16_MAX) throw RunTimeError("Overflow");
    return static_cast<std::int16_t>(whole);
}

std::uint8_t ToByte(long value) {
    if (value < 0 || value > 255) throw RunTimeError("Overflow");
    return static_cast<std::uint8_t>(value);
}

namespace {

// Length of the numeric prefix "[sign]digits[.digits]" starting at pos, 0 when there is none.
std::size_t NumericPrefix(std::string_view text, std::size_t pos) {
    std::size_t i = pos;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        std::size_t j = i + 1;
        std::size_t fraction = 0;
        while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j])))
            ++j, ++fraction;
        if (fraction > 0 || digits > 0) {
            i = j;
            digits += fraction;
        }
    }
    return digits == 0 ? 0 : i - pos;
}

std::size_t SkipSpaces(std::string_view text, std::size_t pos) {
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    return pos;
}

double ParsePrefix(std::string_view text, std::size_t pos, std::size_t length) {
    const std::string number(text.substr(pos, length));
    return std::strtod(number.c_str(), nullptr);
}

}  // namespace

double LeadingNumber(std::string_view text) {
    const std::size_t start = SkipSpaces(text, 0);
    const std::size_t length = NumericPrefix(text, start);
    return length == 0 ? 0.0 : ParsePrefix(text, start, length);
}

std::optional<double> StrictNumber(std::string_view text) {
    const std::size_t start = SkipSpaces(text, 0);
    const std::size_t length = NumericPrefix(text, start);
    if (length == 0 || SkipSpaces(text, start + length) != text.size()) return std::nullopt;
    return ParsePrefix(text, start, length);
}

std::string FormatFixed(double value, int integerDigits, int decimals) {
    const int width = integerDigits + (decimals > 0 ? decimals + 1 : 0) + (value < 0 ? 1 : 0);
    const int length = std::snprintf(nullptr, 0, "%0*.*f", width, decimals, value);
    std::string text(static_cast<std::size_t>(length), '\0');
    std::snprintf(text.data(), text.size() + 1, "%0*.*f", width, decimals, value);
    return text;
}

}  // namespace rvm46
