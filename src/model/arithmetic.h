#pragma once
// Number conversions shared by every subsystem. Whole numbers are made from doubles by rounding
// to the nearest, halves to the even number (446.5 -> 446, 447.5 -> 448).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rvm46 {

// Nearest whole number, halves to even. Throws RunTimeError when the value does not fit a
// 64-bit integer (or is not a number), as an overflowing conversion would.
std::int64_t RoundHalfEven(double value);

// Same, for a value that must fit a 16-bit integer (the program's Integer type).
std::int16_t RoundToInteger(double value);

// A value that must fit a byte; anything outside 0..255 is a run-time error.
std::uint8_t ToByte(long value);

// Leading-number value of a text, as a lenient numeric read: optional spaces, optional sign,
// digits with an optional decimal part; stops at the first other character; 0 when there is none.
double LeadingNumber(std::string_view text);

// Strict numeric read of a whole text: optional surrounding spaces, optional sign, digits with an
// optional decimal part. nullopt when the text is anything else (empty included).
std::optional<double> StrictNumber(std::string_view text);

// "0.00000"-style fixed formatting with the given number of decimals and at least
// `integerDigits` digits before the point (zero-padded), e.g. FormatFixed(6.5, 3, 5) = "006.50000".
std::string FormatFixed(double value, int integerDigits, int decimals);

}  // namespace rvm46
