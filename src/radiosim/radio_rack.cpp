#include "radiosim/radio_rack.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>

#include "model/codeplug_image.h"
#include "model/codeplug_layout.h"
#include "storage/image_file.h"

namespace rvm46::radiosim {

namespace {

constexpr std::size_t kModelCodeAddress = layout::kModelCodeAt - layout::kHeaderSize;

std::optional<int> Number(std::string_view text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

}  // namespace

std::optional<RackRadio> ParseRackRadio(std::string_view described, std::string* error) {
    auto refuse = [&](const std::string& why) -> std::optional<RackRadio> {
        if (error) *error = "radio \"" + std::string(described) + "\": " + why;
        return std::nullopt;
    };
    RackRadio radio;
    const std::size_t plus = described.find('+');
    const std::string_view what = described.substr(0, plus);
    if (what == "blank" || what.starts_with("blank@")) {
        radio.memory = Radio::BlankMemory();
        if (what.size() > 5) {
            const auto code = Number(what.substr(6));
            if (!code || *code < 0 || *code > 255) return refuse("model code 0..255 expected");
            radio.memory[kModelCodeAddress] = static_cast<std::uint8_t>(*code);
        }
    } else {
        std::string reason;
        const auto image = storage::ReadImageFile(std::string(what), &reason);
        if (!image) return refuse(reason);
        std::copy(image->begin() + layout::kHeaderSize, image->end(), radio.memory.begin());
    }
    if (plus == std::string_view::npos) return radio;
    const std::string_view fault = described.substr(plus + 1);
    if (fault.starts_with("pull:")) {
        const auto block = Number(fault.substr(5));
        if (!block || *block < 0 || *block > 122) return refuse("pull:N takes a block 0..122");
        radio.pullAtWrite = *block;
        return radio;
    }
    std::string reason;
    const auto parsed = ParseFault(fault, &reason);
    if (!parsed) return refuse(reason + ", or pull:N");
    radio.fault = *parsed;
    return radio;
}

RadioRack::RadioRack(std::vector<RackRadio> radios, bool autoSwap)
    : sequence_(std::move(radios)), autoSwap_(autoSwap) {
    AttachLocked(std::nullopt);
}

void RadioRack::AttachLocked(std::optional<RackRadio> radio) {
    if (!radio && next_ < sequence_.size()) {
        radio = sequence_[next_++];
        attachedNumber_ = static_cast<int>(next_);
    } else if (radio) {
        attachedNumber_ = -1;
    }
    attached_.reset();
    written_ = false;
    swapPending_ = false;
    if (!radio) {
        attachedNumber_ = 0;
        return;
    }
    attached_.emplace(radio->memory, radio->fault);
    pullAtWrite_ = radio->pullAtWrite;
}

std::vector<Exchange> RadioRack::Receive(std::span<const std::uint8_t> bytes) {
    std::lock_guard lock(mutex_);
    if (!attached_) {
        for (std::uint8_t b : bytes) {
            dropped_.push_back(b);
            if (dropped_.size() > kLeadCode.size()) dropped_.erase(dropped_.begin());
            if (swapPending_ &&
                std::equal(dropped_.begin(), dropped_.end(), kLeadCode.begin(), kLeadCode.end())) {
                AttachLocked(std::nullopt);  // the next radio answers the next handshake
                dropped_.clear();
                break;
            }
        }
        return {};
    }
    std::vector<Exchange> exchanges = attached_->Receive(bytes);
    for (std::size_t i = 0; i < exchanges.size(); ++i) {
        const std::vector<std::uint8_t>& f = exchanges[i].received;
        if (f.size() < 4 || (f[0] != 'W' && f[0] != 'R')) continue;
        const int address = ((f[1] << 8) | f[2]) & 0x3FF;
        if (f[0] == 'W' && f.size() == 12 && address / 8 == pullAtWrite_) {
            // Pulled out as this frame arrived: no answer to it, nothing after it.
            exchanges.resize(i);
            attached_.reset();
            attachedNumber_ = 0;
            break;
        }
        if (exchanges[i].writeCompleted) written_ = true;
        if (f[0] == 'R' && address == Radio::kLastReadAddress && written_ && autoSwap_) {
            // Written and read back: the dealer takes it away once the reply is out.
            exchanges.resize(i + 1);
            attached_.reset();
            attachedNumber_ = 0;
            swapPending_ = true;
            break;
        }
    }
    return exchanges;
}

void RadioRack::ResetSession() {
    std::lock_guard lock(mutex_);
    if (attached_) attached_->Reset();
}

bool RadioRack::AwaitingIdent() {
    std::lock_guard lock(mutex_);
    return attached_ && attached_->AwaitingIdent();
}

std::optional<RadioMemory> RadioRack::AttachedMemory() {
    std::lock_guard lock(mutex_);
    if (!attached_) return std::nullopt;
    return attached_->memory();
}

int RadioRack::AttachedNumber() {
    std::lock_guard lock(mutex_);
    return attachedNumber_;
}

void RadioRack::Remove() {
    std::lock_guard lock(mutex_);
    attached_.reset();
    attachedNumber_ = 0;
    swapPending_ = false;
}

void RadioRack::Attach(std::optional<RackRadio> radio) {
    std::lock_guard lock(mutex_);
    AttachLocked(std::move(radio));
}

void RadioRack::Swap() {
    std::lock_guard lock(mutex_);
    attached_.reset();
    attachedNumber_ = 0;
    swapPending_ = true;
    dropped_.clear();
}

bool RadioRack::OpenControl(const std::filesystem::path& path, std::string* error) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec) && mkfifo(path.c_str(), 0600) != 0) {
        if (error) *error = "cannot create " + path.string() + ": " + std::strerror(errno);
        return false;
    }
    // Read and write: a FIFO then never reports an end when a writer closes it.
    control_ = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (control_ < 0) {
        if (error) *error = "cannot open " + path.string() + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

void RadioRack::PollControl() {
    if (control_ < 0) return;
    char buffer[512];
    ssize_t n = 0;
    while ((n = ::read(control_, buffer, sizeof buffer)) > 0) {
        controlText_.append(buffer, static_cast<std::size_t>(n));
    }
    for (std::size_t end; (end = controlText_.find('\n')) != std::string::npos;) {
        std::string command = controlText_.substr(0, end);
        controlText_.erase(0, end + 1);
        if (!command.empty() && command.back() == '\r') command.pop_back();
        Execute(command);
    }
}

void RadioRack::Execute(const std::string& command) {
    if (command == "swap") return Swap();
    if (command == "remove") return Remove();
    if (command == "attach") return Attach();
    if (command.starts_with("attach ")) {
        std::string error;
        if (auto radio = ParseRackRadio(command.substr(7), &error)) return Attach(std::move(radio));
        std::fprintf(stderr, "rvm46-radiosim: %s\n", error.c_str());
        return;
    }
    if (!command.empty()) {
        std::fprintf(stderr,
                     "rvm46-radiosim: unknown command \"%s\" (swap, remove, attach [RADIO])\n",
                     command.c_str());
    }
}

}  // namespace rvm46::radiosim
