#pragma once
// Frequencies in MHz <-> the four BCD bytes of a channel record (units of 10 Hz, least
// significant pair first): 446.00625 MHz is stored as 25h 06h 60h 44h.

#include <array>
#include <cstdint>

namespace rvm46 {

using FrequencyBytes = std::array<std::uint8_t, 4>;

// A frequency outside 100 <= f < 999 MHz is stored as 100 MHz.
FrequencyBytes EncodeFrequency(double mhz);

// The inverse, from the four bytes after their BCD-to-decimal conversion (d0 first). The result
// is the number that the text of the value with five decimals reads back as.
double DecodeFrequency(const std::array<std::uint8_t, 4>& decimalPairs);

}  // namespace rvm46
