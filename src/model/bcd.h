#pragma once
// Packed-BCD digit pairs, the form in which the codeplug stores frequencies and tone codes.

#include <cstdint>

namespace rvm46 {

// v -> (v div 10) x 16 + (v mod 10): 67 gives 67h; 100..159 give bytes with a high nibble 10..15.
void Convert16H(std::int16_t& mintConvert16H);

// v -> (v div 16) x 10 + (v mod 16): the inverse of Convert16H; FFh gives 165.
void Convert10D(std::int16_t& mintConvert10D);

// Byte-valued forms of the two; BcdByte throws RunTimeError when the result does not fit a byte.
std::uint8_t BcdByte(int value);
std::uint8_t BcdValue(std::uint8_t byte);

}  // namespace rvm46
