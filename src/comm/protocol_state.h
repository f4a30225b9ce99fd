#pragma once
// The buffers and counters of the programming protocol. The main window holds the one instance
// (as a base of its state) so that its procedures and the protocol steps share them.

#include <array>
#include <cstdint>
#include <vector>

#include "model/codeplug_image.h"

namespace rvm46::comm {

struct ProtocolState {
    LeadCode gbytLeadCode = kLeadCode;            // the handshake command
    std::uint8_t gbyt06H = 0x06;                  // the single control byte being sent
    std::array<std::uint8_t, 12> gbytSendData{};  // "W", address high, address low, 08h, 8 bytes
    std::array<std::uint8_t, 4> gbytReadCmd{};    // "R", address high, address low, 08h
    std::vector<std::uint8_t> gbytReceData;       // the bytes last taken from the serial input
    std::int16_t gintSendDataCnt = 0;             // block of the running transfer
    std::int16_t gintPercentCnt = 0;              // block frames started in the running transfer
};

}  // namespace rvm46::comm
