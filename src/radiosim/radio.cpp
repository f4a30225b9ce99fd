#include "radiosim/radio.h"

#include <algorithm>
#include <charconv>

namespace rvm46::radiosim {

namespace {

constexpr std::array<std::uint8_t, 8> kLeadCode = {0x02, 'P', 'R', 'O', 'G', 'R', 'A', 'M'};
constexpr std::uint8_t kAck = 0x06;
constexpr std::uint8_t kNak = 0x15;

bool ParseNumber(std::string_view text, int& value) {
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        base = 16;
    }
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

}  // namespace

std::optional<Fault> ParseFault(std::string_view text, std::string* error) {
    struct Name {
        std::string_view name;
        Fault::Kind kind;
        int limit;  // 0 = takes no number; else numbers 0..limit-1
    };
    static constexpr Name kNames[] = {
        {"nak-handshake", Fault::Kind::kNakHandshake, 0},
        {"silent-handshake", Fault::Kind::kSilentHandshake, 0},
        {"garbage-handshake", Fault::Kind::kGarbageHandshake, 0},
        {"short-ident", Fault::Kind::kShortIdent, 0},
        {"silent", Fault::Kind::kSilentBlock, 128},
        {"wrong", Fault::Kind::kWrongBlock, 128},
        {"extra", Fault::Kind::kExtraBytes, 128},
        {"hangup", Fault::Kind::kHangUp, 128},
        {"corrupt", Fault::Kind::kCorruptStore, 1024},
        {"ack-silent", Fault::Kind::kSilentAck, 129},
        {"ack-wrong", Fault::Kind::kWrongAck, 129},
        {"ack-hangup", Fault::Kind::kHangUpAck, 129},
    };
    const std::size_t colon = text.find(':');
    const std::string_view name = text.substr(0, colon);
    for (const Name& n : kNames) {
        if (n.name != name) continue;
        Fault fault{n.kind, 0};
        if (n.limit == 0 && colon == std::string_view::npos) return fault;
        if (n.limit > 0 && colon != std::string_view::npos &&
            ParseNumber(text.substr(colon + 1), fault.n) && fault.n >= 0 && fault.n < n.limit) {
            return fault;
        }
        break;
    }
    if (error) {
        *error = "unknown fault \"" + std::string(text) +
                 "\" (nak-handshake, silent-handshake, garbage-handshake, short-ident, silent:N, "
                 "wrong:N, extra:N, hangup:N with block N 0..127, corrupt:ADDR with 0..1023, "
                 "ack-silent:N, "
                 "ack-wrong:N, ack-hangup:N with the N-th acknowledge 0..128)";
    }
    return std::nullopt;
}

Radio::Radio(const RadioMemory& memory, Fault fault) : memory_(memory), fault_(fault) {}

RadioMemory Radio::BlankMemory() {
    RadioMemory memory;
    memory.fill(0xFF);
    return memory;
}

std::size_t Radio::FrameLength(std::uint8_t first) const {
    if (state_ == State::kIdle && first != 0x02) return 1;  // only a handshake counts now
    switch (first) {
        case 0x02:
            // The ident request, or the start of a handshake command.
            return state_ == State::kAwaitIdent ? 1 : kLeadCode.size();
        case kAck:
            return 1;
        case 'R':
            return 4;
        case 'W':
            return 12;
        default:
            return 1;  // a stray byte, ignored alone
    }
}

std::vector<Exchange> Radio::Receive(std::span<const std::uint8_t> bytes) {
    std::vector<Exchange> exchanges;
    for (std::uint8_t byte : bytes) {
        pending_.push_back(byte);
        // A handshake command that does not match from its second byte on is dropped byte by
        // byte until what is pending could begin one again.
        if (pending_.front() == 0x02 && pending_.size() > 1 && state_ != State::kAwaitIdent &&
            pending_.back() != kLeadCode[pending_.size() - 1]) {
            pending_.erase(pending_.begin());
            while (!pending_.empty() && pending_.front() != 0x02) pending_.erase(pending_.begin());
            continue;
        }
        if (pending_.size() < FrameLength(pending_.front())) continue;
        Exchange exchange = Answer(std::move(pending_));
        pending_.clear();
        const bool hangUp = exchange.hangUp;
        exchanges.push_back(std::move(exchange));
        if (hangUp) break;
    }
    return exchanges;
}

bool Radio::FaultAt(Fault::Kind kind, int block) const {
    return fault_.kind == kind && fault_.n == block;
}

Exchange Radio::Answer(std::vector<std::uint8_t> frame) {
    const std::uint8_t first = frame.front();
    if (frame.size() == kLeadCode.size() && first == 0x02) return AnswerHandshake(std::move(frame));
    Exchange ex;
    ex.received = std::move(frame);
    switch (state_) {
        case State::kIdle:
            break;  // nothing but a handshake command is answered
        case State::kAwaitIdent:
            if (first == 0x02) {
                ex.reply.assign(Radio::kIdent.begin(), Radio::kIdent.end());
                acks_ = 0;
                if (fault_.kind == Fault::Kind::kShortIdent) ex.reply.resize(5);
                state_ = State::kSession;
            }
            break;
        case State::kSession:
        case State::kClosing:
            if (first == kAck) {
                const int ack = acks_++;
                ex.hangUp = FaultAt(Fault::Kind::kHangUpAck, ack);
                if (ex.hangUp || FaultAt(Fault::Kind::kSilentAck, ack)) break;
                if (state_ == State::kClosing) {
                    state_ = State::kIdle;  // the closing acknowledge of a read
                } else {
                    ex.reply = {FaultAt(Fault::Kind::kWrongAck, ack) ? kNak : kAck};
                }
            } else if (first == 'R' || first == 'W') {
                return AnswerBlock(std::move(ex.received));
            }
            break;
    }
    return ex;
}

Exchange Radio::AnswerHandshake(std::vector<std::uint8_t> frame) {
    Exchange ex;
    ex.received = std::move(frame);
    state_ = State::kIdle;
    switch (fault_.kind) {
        case Fault::Kind::kSilentHandshake:
            return ex;
        case Fault::Kind::kNakHandshake:
            ex.reply = {kNak};
            return ex;
        case Fault::Kind::kGarbageHandshake:
            ex.reply = {0xFF, 0x00, 0x5A};
            break;
        default:
            break;
    }
    ex.reply.push_back(kAck);
    state_ = State::kAwaitIdent;
    return ex;
}

Exchange Radio::AnswerBlock(std::vector<std::uint8_t> frame) {
    Exchange ex;
    ex.received = std::move(frame);
    const auto& f = ex.received;
    const int address = ((f[1] << 8) | f[2]) & 0x3FF;
    const int block = address / 8;
    state_ = State::kSession;
    if (FaultAt(Fault::Kind::kHangUp, block)) {
        ex.hangUp = true;
        return ex;
    }
    if (FaultAt(Fault::Kind::kSilentBlock, block)) return ex;
    const int length = std::min<int>(f[3], 8);
    if (f[0] == 'R') {
        ex.reply = {'W', f[1], f[2], f[3]};
        for (int i = 0; i < 8; ++i) {
            ex.reply.push_back(i < length ? memory_[(address + i) & 0x3FF] : 0xFF);
        }
        if (FaultAt(Fault::Kind::kExtraBytes, block)) {
            ex.reply.insert(ex.reply.end(), {0xEE, 0xEE, 0xEE, 0xEE});
        }
        if (address == kLastReadAddress) state_ = State::kClosing;
    } else {
        for (int i = 0; i < length; ++i) {
            const int a = (address + i) & 0x3FF;
            memory_[a] = f[4 + i];
            if (fault_.kind == Fault::Kind::kCorruptStore && fault_.n == a) memory_[a] ^= 0x01;
        }
        ex.reply = {kAck};
        ex.writeCompleted = address == kLastWrittenAddress;
    }
    if (FaultAt(Fault::Kind::kWrongBlock, block)) ex.reply.front() = kNak;
    return ex;
}

}  // namespace rvm46::radiosim
