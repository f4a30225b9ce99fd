// The radio's side of a transfer played by the fuzzer: a serial line that answers every wait with
// arbitrary bytes, arriving in time or too late, and may fail as a port can. Reads and writes of a
// whole codeplug must end, as a success or as a failure with a message, within the time limits of
// their steps, and never touch memory outside the image.
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "comm/transfer.h"

namespace {

using namespace rvm46;

// Every wait of the protocol is answered at once from the fuzzer's bytes, so no real time passes;
// the line counts the waits, each of which a real line would bound by its limit.
class FuzzedLine : public comm::SerialLine {
  public:
    FuzzedLine(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    comm::LineStatus Open(const std::string&) override { return comm::LineStatus::Ok(); }
    void Close() override {}
    bool IsOpen() const override { return true; }
    comm::LineStatus DiscardOutput() override { return Fails(); }
    comm::LineStatus Send(std::span<const std::uint8_t> bytes) override {
        sent_ += bytes.size();
        return Fails();
    }
    comm::LineStatus DiscardInput() override {
        input_.clear();
        return Fails();
    }
    comm::LineStatus InputCount(std::size_t& count) override {
        count = input_.size();
        return Fails();
    }
    comm::LineStatus TakeInput(std::vector<std::uint8_t>& bytes) override {
        bytes.insert(bytes.end(), input_.begin(), input_.end());
        input_.clear();
        return Fails();
    }
    // Each wait takes one control byte: how many bytes arrive (any content), and whether the wait
    // runs to its limit. With the data used up, the radio falls silent.
    comm::LineStatus WaitForInput(std::size_t count, std::chrono::milliseconds limit,
                                  bool& ready) override {
        ++waits_;
        const std::uint8_t control = Next();
        const std::size_t arriving = control & 0x0F;
        for (std::size_t i = 0; i < arriving; ++i) input_.push_back(Next());
        // A reply that comes in time is ready; a late one is there only after the limit.
        ready = (control & 0x10) == 0 && input_.size() >= count;
        (void)limit;
        return Fails();
    }

    std::size_t Waits() const { return waits_; }

  private:
    std::uint8_t Next() { return pos_ < size_ ? data_[pos_++] : 0; }
    // A port error now and then: control bytes FFh.
    comm::LineStatus Fails() {
        if (pos_ < size_ && data_[pos_] == 0xFF) {
            ++pos_;
            return comm::LineStatus::Error("the port went away");
        }
        return comm::LineStatus::Ok();
    }

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
    std::vector<std::uint8_t> input_;
    std::size_t sent_ = 0;
    std::size_t waits_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return -1;
    const bool reading = data[0] & 1;
    FuzzedLine line(data + 1, size - 1);
    comm::ProtocolState state;
    CodeplugImage image = BlankImage();
    const comm::Timing timing;
    const comm::Outcome outcome = reading ? comm::ReadRadio(line, state, image, {}, timing)
                                          : comm::WriteRadio(line, state, image, {}, timing);
    if (!outcome.ok() && outcome.Message().empty()) std::abort();
    // Every step waits at most once per reply: handshake (2), the exchanges and the blocks.
    const std::size_t maxWaits =
        reading ? 2 + 2 * comm::kReadBlockCount : 3 + comm::kWriteBlockCount;
    if (line.Waits() > maxWaits) std::abort();
    return 0;
}
