#include "model/bcd.h"

#include "model/arithmetic.h"
#include "model/run_time_error.h"

namespace rvm46 {

// Integer division and remainder truncate toward zero, as the program's integer arithmetic does.
void Convert16H(std::int16_t& mintConvert16H) {
    const int v = mintConvert16H;
    mintConvert16H = static_cast<std::int16_t>((v / 10) * 16 + v % 10);
}

void Convert10D(std::int16_t& mintConvert10D) {
    const int v = mintConvert10D;
    mintConvert10D = static_cast<std::int16_t>((v / 16) * 10 + v % 16);
}

std::uint8_t BcdByte(int value) {
    if (value < -9999 || value > 9999) throw RunTimeError("Overflow");
    auto work = static_cast<std::int16_t>(value);
    Convert16H(work);
    return ToByte(work);
}

std::uint8_t BcdValue(std::uint8_t byte) {
    std::int16_t work = byte;
    Convert10D(work);
    return static_cast<std::uint8_t>(work);
}

}  // namespace rvm46
