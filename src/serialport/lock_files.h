#pragma once
// The lock files the serial port layer keeps beside an open device ("LCK..ttyUSB0" in the first
// writable of the usual lock folders). A process killed while it had the port open leaves its
// lock file behind; the layer then refuses the port to every other user, with a message about
// permissions. This finds such a leftover and says how to remove it. POSIX only.

#include <optional>
#include <string>

namespace rvm46::serialport {

struct StaleLock {
    std::string path;  // the lock file
    long pid = 0;      // the process that wrote it, which no longer runs
};

// The lock file of `device` when one exists whose process no longer runs; nullopt otherwise
// (no lock file, a process that still runs, or one that cannot be read).
std::optional<StaleLock> FindStaleLock(const std::string& device);

// "locked by a lock file that process 4711 left behind and that no longer runs; remove it with:
// sudo rm /var/lock/LCK..ttyUSB0" ("sudo " only when this user cannot remove it).
std::string DescribeStaleLock(const StaleLock& lock);

}  // namespace rvm46::serialport
