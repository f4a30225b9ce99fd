#pragma once
// Byte layout of the codeplug image: 50 header bytes kept only in data files, then the radio's
// 1024-byte memory (image index 50 + a holds radio address a).

#include <cstddef>
#include <cstdint>

namespace rvm46::layout {

inline constexpr std::size_t kImageSize = 1074;
inline constexpr std::size_t kHeaderSize = 50;
inline constexpr std::size_t kRadioMemorySize = 1024;

// Header idents, written by every encoding; nothing compares them on reading.
inline constexpr char kModelIdent[] = "ZRT83N";  // image 0..5
inline constexpr std::size_t kModelIdentAt = 0;
inline constexpr char kVersionIdent[] = "V0100";  // image 10..14
inline constexpr std::size_t kVersionIdentAt = 10;

// Sixteen channel records of 16 bytes from radio address 010h.
inline constexpr std::size_t kChannelCount = 16;
inline constexpr std::size_t kChannelRecordAt = 66;
inline constexpr std::size_t kChannelRecordSize = 16;
inline constexpr std::size_t ChannelRecordAt(std::size_t k) {
    return kChannelRecordAt + kChannelRecordSize * k;
}

// Offsets inside a channel record.
inline constexpr std::size_t kRecRxFrequency = 0;  // 4 bytes BCD, least significant first
inline constexpr std::size_t kRecTxFrequency = 4;  // 4 bytes BCD, FFh x4 = no transmit
inline constexpr std::size_t kRecDecodeToneLow = 8;
inline constexpr std::size_t kRecDecodeToneHigh = 9;
inline constexpr std::size_t kRecEncodeToneLow = 10;
inline constexpr std::size_t kRecEncodeToneHigh = 11;
inline constexpr std::size_t kRecFlags = 12;
inline constexpr std::size_t kRecInUseA = 13;
inline constexpr std::size_t kRecInUseB = 14;

inline constexpr std::uint8_t kEmptyFlags = 0xFB;  // flags byte of an unused record
inline constexpr std::uint8_t kInUseMark = 0x01;

// Channel number table (radio 280h): bytes 1..16. SetConvert writes image[689 + i] = i.
inline constexpr std::size_t kChannelNumberTableAt = 690;

// Radio-wide settings (radio 3C0h..3C3h).
inline constexpr std::size_t kOptionBits = 1010;  // FCh + 01h beep on + 02h battery save on
inline constexpr std::size_t kSquelch = 1011;
inline constexpr std::size_t kMonitorKey = 1012;
inline constexpr std::size_t kTimeOutTimer = 1013;
inline constexpr std::uint8_t kOptionBase = 0xFC;
inline constexpr std::uint8_t kOptionBeepOn = 0x01;
inline constexpr std::uint8_t kOptionBatterySaveOn = 0x02;

// Model block (radio 3D0h..3D7h); the model code sits at 3D2h.
inline constexpr std::size_t kModelBlockAt = 1026;
inline constexpr std::size_t kModelBlockSize = 8;
inline constexpr std::size_t kModelCodeAt = 1028;

// Bytes a write to the radio sends: image 50..1033 (123 frames of 8 bytes).
inline constexpr std::size_t kWriteEnd = 1034;

// The value that BCD-to-decimal gives for an FFh byte: marks "nothing stored" after decoding.
inline constexpr std::uint8_t kDecodedFF = 165;

}  // namespace rvm46::layout
