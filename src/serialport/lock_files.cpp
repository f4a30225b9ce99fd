#include "serialport/lock_files.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

namespace rvm46::serialport {

namespace {

namespace fs = std::filesystem;

// "/dev/ttyUSB0" -> "LCK..ttyUSB0", "/dev/pts/3" -> "LCK..pts_3".
std::string LockName(const std::string& device) {
    std::string name = device.rfind("/dev/", 0) == 0 ? device.substr(5) : device;
    for (char& c : name) {
        if (c == '/') c = '_';
    }
    return "LCK.." + name;
}

bool ProcessRuns(long pid) {
    return kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

// Whether this user may remove `file`: write access to its folder, and in a sticky folder
// (such as /tmp) ownership of the file or the folder.
bool MayRemove(const fs::path& file) {
    const fs::path folder = file.parent_path();
    if (access(folder.c_str(), W_OK) != 0) return false;
    struct stat dir {};
    struct stat own {};
    if (stat(folder.c_str(), &dir) != 0 || lstat(file.c_str(), &own) != 0) return false;
    const uid_t me = geteuid();
    return !(dir.st_mode & S_ISVTX) || me == 0 || own.st_uid == me || dir.st_uid == me;
}

}  // namespace

std::optional<StaleLock> FindStaleLock(const std::string& device) {
    // The folders the serial port layer tries, in its order; it uses the first it may write.
    static const char* const kFolders[] = {"/var/lock",         "/etc/locks", "/var/spool/locks",
                                           "/var/spool/uucp",   "/tmp",       "/var/tmp",
                                           "/var/lock/lockdev", "/run/lock"};
    const std::string name = LockName(device);
    for (const char* folder : kFolders) {
        const fs::path file = fs::path(folder) / name;
        std::ifstream in(file);
        if (!in) continue;
        long pid = 0;
        if (!(in >> pid) || pid <= 0) return std::nullopt;
        if (ProcessRuns(pid)) return std::nullopt;
        return StaleLock{file.string(), pid};
    }
    return std::nullopt;
}

std::string DescribeStaleLock(const StaleLock& lock) {
    return "locked by a lock file that process " + std::to_string(lock.pid) +
           " left behind and that no longer runs; remove it with: " +
           (MayRemove(lock.path) ? "" : "sudo ") + "rm " + lock.path;
}

}  // namespace rvm46::serialport
