#include "radiosim/pty_server.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sched.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "storage/image_file.h"

namespace rvm46::radiosim {

namespace {

using Clock = std::chrono::steady_clock;

RadioMemory MemoryOf(const ServerOptions& options) {
    if (options.blankMemory) return Radio::BlankMemory();
    RadioMemory memory;
    std::copy(options.image.begin() + layout::kHeaderSize, options.image.end(), memory.begin());
    return memory;
}

void SleepUntil(Clock::time_point t) {
    // Sleep to shortly before the moment, then spin: a sleep alone wakes up to a tenth of a
    // millisecond late, which the paced line would add to every byte.
    constexpr auto kSpin = std::chrono::microseconds(150);
    const auto ns =
        std::chrono::duration_cast<std::chrono::nanoseconds>((t - kSpin).time_since_epoch());
    if (ns.count() > 0 && t - kSpin > Clock::now()) {
        // steady_clock is CLOCK_MONOTONIC on Linux; an absolute wait does not drift.
        timespec ts{static_cast<time_t>(ns.count() / 1000000000),
                    static_cast<long>(ns.count() % 1000000000)};
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
        }
    }
    while (Clock::now() < t) {
    }
}

void WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;  // the program closed its end; the bytes are lost as on a real line
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

}  // namespace

PtyServer::PtyServer(ServerOptions options)
    : options_(std::move(options)), radio_(MemoryOf(options_), options_.fault) {}

PtyServer::~PtyServer() {
    CloseTerminal();
    if (options_.link) {
        std::error_code ignored;
        std::filesystem::remove(*options_.link, ignored);
    }
}

bool PtyServer::OpenTerminal(std::string* error) {
    char name[256] = {};
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
        if (error) *error = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    // Raw bytes both ways until the program sets its own line settings. The server keeps the
    // terminal's end open itself, so the program may close and reopen it between transfers.
    termios raw{};
    tcgetattr(slave_, &raw);
    cfmakeraw(&raw);
    cfsetspeed(&raw, B9600);
    tcsetattr(slave_, TCSANOW, &raw);
    fcntl(master_, F_SETFD, FD_CLOEXEC);
    fcntl(slave_, F_SETFD, FD_CLOEXEC);
    terminal_ = name;
    device_ = terminal_;
    // A program opening the port takes it for itself (exclusive mode), which outlives a program
    // killed with the port open, because this end keeps the terminal alive. Any close of the
    // terminal gives exclusive mode up, as the program's own close would.
    watch_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (watch_ >= 0) inotify_add_watch(watch_, name, IN_CLOSE_WRITE | IN_CLOSE_NOWRITE);
    if (options_.link) {
        std::error_code ec;
        std::filesystem::remove(*options_.link, ec);
        std::filesystem::create_symlink(terminal_, *options_.link, ec);
        if (ec) {
            if (error) *error = "cannot link " + options_.link->string() + ": " + ec.message();
            CloseTerminal();
            return false;
        }
        device_ = options_.link->string();
    }
    return true;
}

void PtyServer::CloseTerminal() {
    for (int fd : {master_, slave_, watch_}) {
        if (fd >= 0) close(fd);
    }
    master_ = slave_ = watch_ = -1;
}

void PtyServer::DropExclusiveOnClose() {
    char events[4096];
    bool closed = false;
    while (watch_ >= 0 && read(watch_, events, sizeof events) > 0) closed = true;
    if (closed) ioctl(slave_, TIOCNXCL);
}

bool PtyServer::Start(std::string* error) {
    if (options_.pace) {
        // A paced line keeps its timing best ahead of ordinary processes; where the system does
        // not allow that, it runs as it is.
        sched_param param{};
        param.sched_priority = 10;
        sched_setscheduler(0, SCHED_FIFO, &param);
    }
    started_ = Clock::now();
    rxFree_ = txFree_ = lastByte_ = started_;
    return OpenTerminal(error);
}

void PtyServer::Serve(const std::atomic<bool>& stop,
                      const std::function<void(const std::string&)>& onNewDevice) {
    std::uint8_t buffer[256];
    while (!stop.load()) {
        if (hungUp_) {
            // The line was closed on purpose; a fresh terminal serves the next transfer.
            hungUp_ = false;
            CloseTerminal();
            std::string error;
            if (!OpenTerminal(&error)) return;
            if (onNewDevice) onNewDevice(device_);
        }
        DropExclusiveOnClose();
        pollfd p{master_, POLLIN, 0};
        const int ready = poll(&p, 1, 50);
        if (ready <= 0 || !(p.revents & POLLIN)) {
            if (ready > 0 && (p.revents & (POLLERR | POLLNVAL))) return;
            continue;
        }
        const auto arrived = Clock::now();
        const ssize_t n = read(master_, buffer, sizeof buffer);
        if (n <= 0) continue;
        if (arrived - lastByte_ > kSessionPause) radio_.Reset();
        lastByte_ = arrived;
        for (ssize_t i = 0; i < n && !hungUp_; ++i) Handle(buffer[i], arrived);
    }
}

void PtyServer::Handle(std::uint8_t byte, Clock::time_point arrived) {
    // With pacing a byte is complete one byte time after the line became free for it.
    Clock::time_point done = arrived;
    if (options_.pace) {
        done = std::max(arrived, rxFree_) + std::chrono::duration_cast<Clock::duration>(kByteTime);
        rxFree_ = done;
    }
    for (Exchange& ex : radio_.Receive(std::span(&byte, 1))) {
        Trace(">", ex.received);
        if (ex.hangUp) {
            Trace("x", {});
            hungUp_ = true;
            return;
        }
        if (ex.writeCompleted) SaveMemory();
        if (!ex.reply.empty()) Reply(ex.reply, done + options_.latency);
    }
}

void PtyServer::Reply(const std::vector<std::uint8_t>& bytes, Clock::time_point from) {
    if (!options_.pace) {
        if (from > Clock::now()) SleepUntil(from);
        WriteAll(master_, bytes.data(), bytes.size());
    } else {
        // Each byte is handed over when its last bit would have arrived.
        Clock::time_point t = std::max(from, txFree_);
        for (std::uint8_t b : bytes) {
            t += std::chrono::duration_cast<Clock::duration>(kByteTime);
            SleepUntil(t);
            WriteAll(master_, &b, 1);
        }
        txFree_ = t;
    }
    Trace("<", bytes);
}

void PtyServer::Trace(const char* direction, const std::vector<std::uint8_t>& bytes) {
    if (!options_.trace) return;
    const double t = std::chrono::duration<double>(Clock::now() - started_).count();
    std::fprintf(options_.trace, "%.6f %s", t, direction);
    for (std::uint8_t b : bytes) std::fprintf(options_.trace, " %02X", b);
    std::fputc('\n', options_.trace);
    std::fflush(options_.trace);
}

void PtyServer::SaveMemory() {
    if (!options_.save) return;
    CodeplugImage image = options_.image;
    std::copy(radio_.memory().begin(), radio_.memory().end(), image.begin() + layout::kHeaderSize);
    std::string error;
    if (!storage::WriteNewImageFile(*options_.save, image, &error)) {
        std::fprintf(stderr, "rvm46-radiosim: cannot save %s: %s\n",
                     options_.save->string().c_str(), error.c_str());
    }
}

}  // namespace rvm46::radiosim
