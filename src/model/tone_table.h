#pragma once
// The QT/DQT tone table: every tone is handled by its index 0..204 (0 = no tone, -1 = no
// selection). Two parallel tables from the tone list file give each index the four-digit code
// stored in the codeplug and the text shown to the user.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace rvm46 {

inline constexpr int kToneCount = 204;          // highest tone index
inline constexpr int kFirstInvertedTone = 123;  // from here on the high pair is stored +30
inline constexpr int kLastQtTone = 39;          // 1..39 are CTCSS tones, shown with one decimal

struct ToneTable {
    std::array<std::string, 206> gstrQTDQTCode;  // 0..204 from [QTDQT], 205 stays empty
    std::array<std::string, 206> gstrQTDQTList;  // 1..204 from [QTDQTList], 0 and 205 empty
};

// First index 1..204 whose code equals strQTDQTData exactly; 0 (no tone) when none does.
std::int16_t ConverQTDQT(const std::string& strQTDQTData, const ToneTable& table);

// The two bytes (high, low) that store tone index t; FFh FFh for 0 and -1. An index outside
// -1..205 is a run-time error, as is a code whose pairs do not fit a byte.
struct ToneBytes {
    std::uint8_t high;
    std::uint8_t low;
};
ToneBytes EncodeTone(int toneIndex, const ToneTable& table);

// A tone's high value (after BCD-to-decimal) as the code's first pair: tones from 123 on are
// stored 30 higher, so a value of 120 or more is lowered by 30.
std::uint8_t LoweredToneHigh(std::uint8_t highValue);

// The tone index of two bytes already turned into their decimal values: the high value lowered
// as above, written "00", followed by the low value written "00", looked up.
std::int16_t DecodeTone(std::uint8_t highValue, std::uint8_t lowValue, const ToneTable& table);

}  // namespace rvm46
