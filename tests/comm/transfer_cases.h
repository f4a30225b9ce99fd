#pragma once
// What the transfer tests over the line in memory and over a pseudo-terminal share: an image to
// send, and the simulated radio's faults with where each ends a transfer (all of them run in
// memory, those marked also on a pseudo-terminal).

#include <vector>

#include "comm/outcome.h"
#include "model/codeplug_image.h"

namespace rvm46::testing {

// Every byte, the header's too, differs from its neighbours.
inline CodeplugImage PatternImage(int seed) {
    CodeplugImage image = BlankImage();
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 31 + static_cast<std::size_t>(seed));
    return image;
}

inline const char* const kHandshake = "> 02 50 52 4F 47 52 41 4D";

inline comm::Failure Timeout(comm::Step step, int block, std::size_t awaited,
                             std::size_t received = 0) {
    return {step, comm::FailureKind::kTimeout, block, awaited, received, 0, 0, {}};
}

inline comm::Failure Wrong(comm::Step step, int block, std::uint8_t wanted, std::uint8_t got) {
    return {step, comm::FailureKind::kWrongReply, block, 0, 0, wanted, got, {}};
}

inline comm::Failure Port(comm::Step step, int block) {
    return {step, comm::FailureKind::kPortError, block, 0, 0, 0, 0, "sim: device disappeared"};
}

struct FaultCase {
    const char* fault;
    bool read;
    comm::Failure failure;
    const char* lastSent;  // the program's last frame: nothing is sent after a failure
    bool onPty = false;    // one of each kind in each direction, and both waits
};

inline const std::vector<FaultCase> kFaultCases = {
    {"nak-handshake", true, Wrong(comm::Step::kHandshake, -1, 0x06, 0x15), kHandshake, true},
    {"garbage-handshake", false, Wrong(comm::Step::kHandshake, -1, 0x06, 0xFF), kHandshake},
    {"silent-handshake", true, Timeout(comm::Step::kHandshake, -1, 1), kHandshake, true},
    {"short-ident", false, Timeout(comm::Step::kIdent, -1, 8, 5), "> 02", true},
    {"silent:7", true, Timeout(comm::Step::kReadBlock, 7, 12), "> 52 00 38 08"},
    {"silent:7", false, Timeout(comm::Step::kWriteBlock, 7, 1), nullptr},
    {"wrong:0", true, Wrong(comm::Step::kReadBlock, 0, 'W', 0x15), "> 52 00 00 08"},
    {"wrong:122", false, Wrong(comm::Step::kWriteBlock, 122, 0x06, 0x15), nullptr, true},
    {"hangup:40", true, Port(comm::Step::kReadBlock, 40), "> 52 01 40 08", true},
    {"hangup:3", false, Port(comm::Step::kWriteBlock, 3), nullptr, true},
    // The write's single acknowledge, the read's acknowledge before each block, and the
    // closing one, which awaits no reply and fails only with the line.
    {"ack-silent:0", false, Timeout(comm::Step::kAcknowledge, -1, 1), "> 06"},
    {"ack-wrong:0", false, Wrong(comm::Step::kAcknowledge, -1, 0x06, 0x15), "> 06"},
    {"ack-silent:5", true, Timeout(comm::Step::kAcknowledge, 5, 1), "> 06"},
    {"ack-wrong:127", true, Wrong(comm::Step::kAcknowledge, 127, 0x06, 0x15), "> 06"},
    {"ack-hangup:40", true, Port(comm::Step::kAcknowledge, 40), "> 06"},
    {"ack-hangup:128", true, Port(comm::Step::kClosing, 127), "> 06"},
};

}  // namespace rvm46::testing
