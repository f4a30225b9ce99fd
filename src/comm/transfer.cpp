#include "comm/transfer.h"

namespace rvm46::comm {

namespace {

void Call(const std::function<void()>& hook) {
    if (hook) hook();
}

}  // namespace

Outcome ReadRadio(SerialLine& line, ProtocolState& state, CodeplugImage& image,
                  const TransferHooks& hooks, const Timing& timing) {
    Call(hooks.beforeHandshake);
    if (Outcome o = Handshake(line, state, timing); !o.ok()) return o;
    for (int n = 0; n < kReadBlockCount; ++n) {
        state.gintSendDataCnt = static_cast<std::int16_t>(n);
        if (Outcome o = AcknowledgeExchange(line, state, n, timing); !o.ok()) return o;
        Call(hooks.blockFrameStarts);
        CountBlockFrame(state, image, n);
        if (Outcome o = RequestBlock(line, state, image, n, timing); !o.ok()) return o;
    }
    return SendClosingAcknowledge(line, state);
}

Outcome WriteRadio(SerialLine& line, ProtocolState& state, const CodeplugImage& image,
                   const TransferHooks& hooks, const Timing& timing) {
    Call(hooks.beforeHandshake);
    if (Outcome o = Handshake(line, state, timing); !o.ok()) return o;
    if (Outcome o = AcknowledgeExchange(line, state, -1, timing); !o.ok()) return o;
    for (int n = 0; n < kWriteBlockCount; ++n) {
        state.gintSendDataCnt = static_cast<std::int16_t>(n);
        Call(hooks.blockFrameStarts);
        CountBlockFrame(state, image, n);
        if (Outcome o = SendBlockFrame(line, state, n, timing); !o.ok()) return o;
    }
    return Outcome::Success();
}

DeviceOutcome RunOnDevice(SerialLine& line, const std::string& device,
                          const std::function<Outcome(SerialLine&)>& transfer) {
    DeviceOutcome result;
    if (LineStatus s = line.Open(device); !s.ok()) {
        result.openError = s.message();
        return result;
    }
    result.opened = true;
    result.outcome = transfer(line);
    line.Close();
    return result;
}

}  // namespace rvm46::comm
