#include "model/tone_table.h"

#include <cstdio>
#include <string>

#include "model/arithmetic.h"
#include "model/bcd.h"
#include "model/run_time_error.h"

namespace rvm46 {

std::int16_t ConverQTDQT(const std::string& strQTDQTData, const ToneTable& table) {
    for (int i = 1; i <= kToneCount; ++i) {
        if (table.gstrQTDQTCode[i] == strQTDQTData) return static_cast<std::int16_t>(i);
    }
    return 0;
}

ToneBytes EncodeTone(int toneIndex, const ToneTable& table) {
    if (toneIndex == -1 || toneIndex == 0) return {0xFF, 0xFF};
    if (toneIndex < -1 || toneIndex > kToneCount + 1) throw RunTimeError("Subscript out of range");
    const std::string& code = table.gstrQTDQTCode[toneIndex];
    // The numeric value of the first two and of the last two characters of the code text.
    const std::string first = code.substr(0, 2);
    const std::string last = code.size() > 2 ? code.substr(code.size() - 2) : code;
    long high = static_cast<long>(RoundHalfEven(LeadingNumber(first)));
    const long low = static_cast<long>(RoundHalfEven(LeadingNumber(last)));
    if (toneIndex >= kFirstInvertedTone) high += 30;
    return {BcdByte(static_cast<int>(high)), BcdByte(static_cast<int>(low))};
}

std::uint8_t LoweredToneHigh(std::uint8_t highValue) {
    return highValue >= 120 ? static_cast<std::uint8_t>(highValue - 30) : highValue;
}

std::int16_t DecodeTone(std::uint8_t highValue, std::uint8_t lowValue, const ToneTable& table) {
    const int high = LoweredToneHigh(highValue);
    char code[16];
    std::snprintf(code, sizeof code, "%02d%02d", high, static_cast<int>(lowValue));
    return ConverQTDQT(code, table);
}

}  // namespace rvm46
