#pragma once
// The codeplug image held in memory and the handshake command sent before every transfer.

#include <array>
#include <cstdint>

#include "model/codeplug_layout.h"

namespace rvm46 {

using CodeplugImage = std::array<std::uint8_t, layout::kImageSize>;
using LeadCode = std::array<std::uint8_t, 8>;

// 02h followed by the ASCII letters "PROGRAM".
inline constexpr LeadCode kLeadCode = {0x02, 'P', 'R', 'O', 'G', 'R', 'A', 'M'};

// All FFh, then the model ident at 0..5 and the version ident at 10..14.
CodeplugImage BlankImage();

// Makes gbytMatrixCode the blank image and writes the handshake command into gbytLeadCode.
void InitMatrixCode(CodeplugImage& gbytMatrixCode, LeadCode& gbytLeadCode);

}  // namespace rvm46
