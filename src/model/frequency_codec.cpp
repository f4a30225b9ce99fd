#include "model/frequency_codec.h"

#include "model/arithmetic.h"
#include "model/bcd.h"

namespace rvm46 {

FrequencyBytes EncodeFrequency(double mhz) {
    if (!(mhz >= 100.0 && mhz < 999.0)) mhz = 100.0;
    // Eight decimal digits of the frequency in units of 10 Hz, taken two at a time. This gives
    // the same bytes as the original digit-pair procedure for every value with at most five
    // decimals (the tests compare both over every raster point).
    const std::int64_t n = RoundHalfEven(mhz * 100000.0);
    FrequencyBytes bytes{};
    std::int64_t rest = n;
    for (auto& byte : bytes) {
        byte = BcdByte(static_cast<int>(rest % 100));
        rest /= 100;
    }
    return bytes;
}

double DecodeFrequency(const std::array<std::uint8_t, 4>& d) {
    // d3 x 10 + d2 / 10 + d1 / 1000 + d0 / 100000, read back from five decimals: the whole count
    // of 10 Hz units divided once is exactly that number.
    const std::int64_t units = static_cast<std::int64_t>(d[3]) * 1000000 +
                               static_cast<std::int64_t>(d[2]) * 10000 +
                               static_cast<std::int64_t>(d[1]) * 100 + d[0];
    return static_cast<double>(units) / 100000.0;
}

}  // namespace rvm46
