#include "comm/outcome.h"

#include <cstdio>

namespace rvm46::comm {

namespace {

std::string HexByte(std::uint8_t byte) {
    char text[4];
    std::snprintf(text, sizeof text, "%02X", byte);
    return std::string(text) + "h";
}

std::string Where(const Failure& f) {
    switch (f.step) {
        case Step::kHandshake:
            return "the handshake";
        case Step::kIdent:
            return "the ident request";
        case Step::kAcknowledge:
            return f.block < 0 ? "the acknowledge before the first block"
                               : "the acknowledge before block " + std::to_string(f.block);
        case Step::kClosing:
            return "the closing acknowledge";
        case Step::kReadBlock:
        case Step::kWriteBlock:
            break;
    }
    char address[8];
    std::snprintf(address, sizeof address, "%03Xh", static_cast<unsigned>(f.block * 8) & 0xFFFu);
    return "block " + std::to_string(f.block) + " (address " + address + ")";
}

std::string Bytes(std::size_t n) {
    return std::to_string(n) + (n == 1 ? " byte" : " bytes");
}

}  // namespace

std::string Outcome::Message() const {
    if (!failure_) return "";
    const Failure& f = *failure_;
    switch (f.kind) {
        case FailureKind::kTimeout:
            return "no answer from the radio at " + Where(f) + ": waited for " + Bytes(f.awaited) +
                   ", " + std::to_string(f.received) + " came";
        case FailureKind::kWrongReply:
            if (f.step == Step::kHandshake) {
                return "the radio refused the handshake: it answered " + HexByte(f.got) +
                       " instead of " + HexByte(f.wanted);
            }
            if (f.received < f.awaited) {
                return "short reply from the radio at " + Where(f) + ": " +
                       std::to_string(f.received) + " of " + Bytes(f.awaited);
            }
            return "wrong reply from the radio at " + Where(f) + ": first byte " + HexByte(f.got) +
                   " instead of " + HexByte(f.wanted);
        case FailureKind::kPortError:
            return "serial port error at " + Where(f) + ": " + f.portMessage;
    }
    return "";
}

}  // namespace rvm46::comm
