#include "serialport/qt_serial_line.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <algorithm>

#include "serialport/lock_files.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace rvm46::serialport {

using comm::LineStatus;

namespace {

// Qt's port watches its descriptor through the thread's event dispatcher, which a program without
// an application object (the command line, the tests) lacks. One quiet application object for
// the whole process gives it one; no event loop is ever run.
void EnsureCoreApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "rvm46";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
}

// Bytes may take this long to leave at 9600 baud before a line is closed.
constexpr int kDrainMs = 2000;

// A line that failed once open: the system's own words ("Inappropriate ioctl for device") say
// nothing a user can act on.
constexpr const char* kDisappeared =
    "device disappeared: the programming cable or its adapter was unplugged; plug it in again "
    "and retry";

// Why `device` cannot be a serial port (a plain file, a pipe, a device that is not a terminal);
// empty when it may be one or cannot be looked at.
std::string NotASerialPort(const std::string& device) {
#ifdef Q_OS_UNIX
    struct stat st {};
    if (stat(device.c_str(), &st) != 0) return "";
    const char* kind = nullptr;
    if (S_ISREG(st.st_mode)) kind = "a plain file";
    if (S_ISFIFO(st.st_mode)) kind = "a pipe";
    if (S_ISDIR(st.st_mode)) kind = "a folder";
    if (S_ISSOCK(st.st_mode)) kind = "a socket";
    if (S_ISBLK(st.st_mode)) kind = "a disk";
    if (S_ISCHR(st.st_mode)) {
        const int fd = open(device.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) return "";
        const bool terminal = isatty(fd) != 0;
        close(fd);
        if (!terminal) kind = "a device that is not a terminal";
    }
    if (kind == nullptr) return "";
    return std::string("not a serial port (") + kind +
           "); choose the port of the programming cable";
#else
    (void)device;
    return "";
#endif
}

}  // namespace

struct QtSerialLine::Impl {
    QSerialPort port;
    std::string device;

    // The port's last error as a message. Once open, a failing read, write or flush means the
    // device went away (an adapter pulled out, the other end of a terminal closed).
    LineStatus Failure(const char* what = nullptr, bool opened = false) {
        std::string reason;
        const QSerialPort::SerialPortError error = port.error();
        if (opened && error != QSerialPort::NotOpenError && error != QSerialPort::TimeoutError) {
            reason = kDisappeared;
        } else if (const std::string kind = NotASerialPort(device); !kind.empty()) {
            reason = kind;
        } else
            switch (error) {
                case QSerialPort::DeviceNotFoundError:
                    reason = "no such device";
                    break;
                case QSerialPort::PermissionError:
                    if (const auto stale = FindStaleLock(device)) {
                        reason = DescribeStaleLock(*stale);
                        break;
                    }
                    reason = "permission denied, or the port is in use by another program";
                    break;
                case QSerialPort::OpenError:
                    reason = "the port is already open";
                    break;
                case QSerialPort::ResourceError:
                    reason = kDisappeared;
                    break;
                case QSerialPort::NotOpenError:
                    reason = "the port is not open";
                    break;
                default:
                    reason = port.errorString().toStdString();
                    break;
            }
        if (what) reason = std::string(what) + ": " + reason;
        port.clearError();
        return LineStatus::Error(device + ": " + reason);
    }

    // Moves what the system holds into the port's buffer, waiting up to ms for the first byte.
    LineStatus Pump(int ms) {
        if (!port.isOpen()) return LineStatus::Error(device + ": the port is not open");
        if (port.waitForReadyRead(ms)) return LineStatus::Ok();
        if (port.error() == QSerialPort::TimeoutError || port.error() == QSerialPort::NoError) {
            port.clearError();
            return LineStatus::Ok();
        }
        return Failure(nullptr, true);
    }
};

QtSerialLine::QtSerialLine() {
    EnsureCoreApplication();
    impl_ = std::make_unique<Impl>();
}

QtSerialLine::~QtSerialLine() {
    Close();
}

LineStatus QtSerialLine::Open(const std::string& device) {
    Close();
    impl_->device = device;
    QSerialPort& p = impl_->port;
    p.setPortName(QString::fromStdString(device));
    if (!p.open(QIODevice::ReadWrite)) return impl_->Failure();
    const bool configured =
        p.setBaudRate(QSerialPort::Baud9600) && p.setDataBits(QSerialPort::Data8) &&
        p.setParity(QSerialPort::NoParity) && p.setStopBits(QSerialPort::OneStop) &&
        p.setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        LineStatus s = impl_->Failure("cannot set 9600 baud 8N1");
        p.close();
        return s;
    }
    p.clear(QSerialPort::AllDirections);
    return LineStatus::Ok();
}

void QtSerialLine::Close() {
    QSerialPort& p = impl_->port;
    if (!p.isOpen()) return;
    if (p.bytesToWrite() > 0) p.waitForBytesWritten(kDrainMs);
    p.close();
    p.clearError();
}

bool QtSerialLine::IsOpen() const {
    return impl_->port.isOpen();
}

LineStatus QtSerialLine::DiscardOutput() {
    if (!impl_->port.isOpen()) return LineStatus::Error(impl_->device + ": the port is not open");
    if (impl_->port.bytesToWrite() > 0 && !impl_->port.clear(QSerialPort::Output)) {
        return impl_->Failure(nullptr, true);
    }
    return LineStatus::Ok();
}

LineStatus QtSerialLine::Send(std::span<const std::uint8_t> bytes) {
    QSerialPort& p = impl_->port;
    if (!p.isOpen()) return LineStatus::Error(impl_->device + ": the port is not open");
    // Queued only: the bytes leave in DiscardInput, after the old input is gone.
    const auto n =
        p.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    if (n != static_cast<qint64>(bytes.size())) return impl_->Failure(nullptr, true);
    return LineStatus::Ok();
}

LineStatus QtSerialLine::DiscardInput() {
    QSerialPort& p = impl_->port;
    if (!p.isOpen()) return LineStatus::Error(impl_->device + ": the port is not open");
    if (!p.clear(QSerialPort::Input)) return impl_->Failure(nullptr, true);
    if (p.bytesToWrite() > 0 && !p.waitForBytesWritten(kDrainMs)) {
        return impl_->Failure(nullptr, true);
    }
    return LineStatus::Ok();
}

LineStatus QtSerialLine::InputCount(std::size_t& count) {
    LineStatus s = impl_->Pump(0);
    count = static_cast<std::size_t>(impl_->port.bytesAvailable());
    return s;
}

LineStatus QtSerialLine::TakeInput(std::vector<std::uint8_t>& bytes) {
    LineStatus s = impl_->Pump(0);
    if (!s.ok()) return s;
    const QByteArray data = impl_->port.readAll();
    bytes.insert(bytes.end(), data.begin(), data.end());
    return s;
}

LineStatus QtSerialLine::WaitForInput(std::size_t count, std::chrono::milliseconds limit,
                                      bool& ready) {
    QSerialPort& p = impl_->port;
    QElapsedTimer clock;
    clock.start();
    ready = false;
    for (;;) {
        if (!p.isOpen()) return LineStatus::Error(impl_->device + ": the port is not open");
        if (static_cast<std::size_t>(p.bytesAvailable()) >= count) {
            ready = true;
            return LineStatus::Ok();
        }
        const qint64 left = limit.count() - clock.elapsed();
        if (left <= 0) return LineStatus::Ok();
        if (LineStatus s = impl_->Pump(static_cast<int>(left)); !s.ok()) return s;
    }
}

QtSerialSystem::QtSerialSystem() {
    EnsureCoreApplication();
}

std::vector<comm::PortInfo> QtSerialSystem::AvailablePorts() const {
    std::vector<comm::PortInfo> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        comm::PortInfo p;
#ifdef Q_OS_WIN
        p.device = info.portName().toStdString();  // "COM3", the name the program uses
#else
        p.device = info.systemLocation().toStdString();
#endif
        p.description = info.description().toStdString();
        p.manufacturer = info.manufacturer().toStdString();
        if (info.hasVendorIdentifier()) p.vendorId = info.vendorIdentifier();
        if (info.hasProductIdentifier()) p.productId = info.productIdentifier();
        ports.push_back(std::move(p));
    }
    return ports;
}

std::unique_ptr<comm::SerialLine> QtSerialSystem::NewLine() {
    return std::make_unique<QtSerialLine>();
}

}  // namespace rvm46::serialport
