#pragma once
// Conversions of the texts stored in profile files into numbers, Booleans and colours, with the
// rules the settings were always read with: whole numbers round halves to even, Booleans are
// "True"/"False" or a number, hexadecimal literals are written "&H...".

#include <cstdint>
#include <optional>
#include <string_view>

namespace rvm46::storage {

// A whole number: optional sign and decimal digits with an optional fraction, which is rounded
// to the nearest whole number, halves to the even one ("2.5" gives 2, "3.5" gives 4); or "&H"
// with 1 to 8 hexadecimal digits and an optional trailing "&", taken as a 32-bit signed value
// ("&HFFFFFFFF" gives -1). Spaces and tabs around the text are allowed. nullopt for anything
// else, including the empty text and values that do not fit.
std::optional<long> ParseWholeNumber(std::string_view text);

// "True" or "False" in any case, or a number (0 is False, anything else True). nullopt otherwise.
std::optional<bool> ParseBoolean(std::string_view text);

// A colour 0xBBGGRR (blue in the high byte, red in the low one): "&H" with up to 8 hexadecimal
// digits, any case, trailing "&" allowed, or a decimal number (negative values give their 32-bit
// two's complement, as system colours were sometimes stored). nullopt when not a number.
std::optional<std::uint32_t> ParseColourLiteral(std::string_view text);

}  // namespace rvm46::storage
