// The cable doctor on a folder built to look like a Linux system: /dev, /sys, /proc, /etc and the
// udev rule folders, with the user, groups, adapters and processes each case needs.
#include "comm/port_doctor.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/temp_dir.h"

namespace rvm46 {
namespace {

using Kind = comm::PortFinding::Kind;

class FakeSystem {
  public:
    FakeSystem() {
        // The files belong to whoever runs the test; the user of the fake system is someone else.
        Write("etc/passwd", "owner:x:" + std::to_string(::getuid()) + ":0::/:/bin/sh\nham:x:" +
                                std::to_string(kUser) + ":" + kUsers + "::/home/ham:/bin/sh\n");
        Link("proc/self", "4242");
        Session({});
        Write("proc/4242/comm", "rvm46\n");
    }

    // The groups this session has, and the members /etc/group lists for the device's group
    // (dialout, the group the test's files have).
    void Session(const std::string& groups, const std::string& listed = "") {
        Write("proc/4242/status", "Name:\trvm46\nUid:\t" + std::to_string(kUser) + "\t0\t0\t0\n" +
                                      "Gid:\t" + kUsers + "\nGroups:\t" + groups + "\n");
        Write("etc/group", "dialout:x:" + kDialout + ":" + listed + "\nusers:x:" + kUsers + ":\n");
    }

    // A USB adapter at 1-1; with a tty, the device node too; `driver` bound to its interface.
    void Cable(const char* vendor, const char* product, const char* driver, bool tty = true) {
        const std::string usb = "sys/devices/usb1/1-1";
        Write(usb + "/idVendor", std::string(vendor) + "\n");
        Write(usb + "/idProduct", std::string(product) + "\n");
        Link("sys/bus/usb/devices/1-1", "/" + usb);
        Link("sys/bus/usb/devices/1-1:1.0", "/" + usb + "/1-1:1.0");
        std::filesystem::create_directories(dir_ / (usb + "/1-1:1.0/ttyUSB0"));
        if (*driver)
            Link(usb + "/1-1:1.0/driver", std::string("../../../../bus/usb/drivers/") + driver);
        if (!tty) return;
        Link("sys/class/tty/ttyUSB0/device", "../../../devices/usb1/1-1/1-1:1.0/ttyUSB0");
        Write("sys/class/tty/ttyUSB0/dev", "188:0\n");
        Write("dev/ttyUSB0", "");
        Mode(0660);
    }

    void Mode(mode_t mode) { ::chmod((dir_ / "dev/ttyUSB0").c_str(), mode); }
    void Process(int pid, const std::string& name, const std::string& fdTarget = "") {
        const std::string folder = "proc/" + std::to_string(pid);
        Write(folder + "/comm", name + "\n");
        std::filesystem::create_directories(dir_ / (folder + "/fd"));
        if (!fdTarget.empty()) Link(folder + "/fd/5", fdTarget);
    }
    void Write(const std::string& path, const std::string& text) { dir_.Write(path, text); }
    void Link(const std::string& path, const std::string& target) {
        std::filesystem::create_directories((dir_ / path).parent_path());
        std::filesystem::create_symlink(target, dir_ / path);
    }

    comm::PortDiagnosis Check(const std::string& device = "/dev/ttyUSB0") const {
        const comm::SystemFiles files(dir_.path());
        return device.empty() ? comm::CheckCables(files) : comm::CheckPort(files, device);
    }

    static inline const std::uint32_t kUser = ::getuid() + 1000;
    static inline const std::string kDialout = std::to_string(::getgid());
    static inline const std::string kUsers = std::to_string(::getgid() + 1000);
    testing::TempDir dir_;
};

std::vector<Kind> Kinds(const comm::PortDiagnosis& d) {
    std::vector<Kind> kinds;
    for (const auto& f : d.findings) kinds.push_back(f.kind);
    return kinds;
}

TEST(PortDoctorTest, PermissionFromModeGroupsAndTheGroupFile) {
    const std::string& gid = FakeSystem::kDialout;
    const std::string& users = FakeSystem::kUsers;
    struct Case {
        const char* what;
        std::string groups;
        std::string listed;
        mode_t mode;
        const char* fix;  // empty: the port opens
        bool ourRule = false;
    } cases[] = {
        {"in the group", users + " " + gid, "", 0660, ""},
        {"open to all", users, "", 0666, ""},
        {"not in the group", users, "", 0660, "sudo usermod -aG dialout $USER"},
        {"our rule installed", users, "", 0660, "sudo usermod -aG dialout $USER", true},
        {"joined since the session began", users, "ham", 0660, "Log out and in again"},
        {"only the owner", users + " " + gid, "", 0600, "only its owner may use it"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeSystem system;
        system.Cable("10c4", "ea60", "cp210x");
        system.Session(c.groups, c.listed);
        system.Mode(c.mode);
        if (c.ourRule) {
            system.dir_.Write(std::string("usr/lib/udev/rules.d/") + comm::kCableRulesFile,
                              testing::FileBytes(std::string(RVM46_SOURCE_DIR) + "/data/udev/" +
                                                 comm::kCableRulesFile));
        }
        const comm::PortDiagnosis d = system.Check();
        EXPECT_EQ(d.CanOpen(), *c.fix == '\0');
        if (*c.fix == '\0') continue;
        ASSERT_EQ(Kinds(d), std::vector{Kind::kPermission});
        const comm::PortFinding& f = d.findings[0];
        EXPECT_EQ(f.group, "dialout");
        EXPECT_EQ(f.user, "ham");
        EXPECT_EQ(comm::ModeText(f.mode), c.mode == 0660 ? "crw-rw----" : "crw-------");
        EXPECT_EQ(f.ruleInstalled, c.ourRule);
        EXPECT_NE(f.Message().find(c.fix), std::string::npos) << f.Message();
    }
}

TEST(PortDoctorTest, HolderAndModemManager) {
    FakeSystem system;
    system.Cable("0403", "6001", "ftdi_sio");
    system.Mode(0666);
    system.Process(900, "ModemManager");
    system.Process(1234, "minicom", "/dev/ttyUSB0");
    system.Link("proc/4242/fd/3", "/dev/ttyUSB0");  // this process itself is no obstacle
    // Asked through a link, as /dev/serial/by-id names it.
    system.Link("dev/serial/by-id/usb-FTDI-if00-port0", "../../ttyUSB0");
    auto d = system.Check("/dev/serial/by-id/usb-FTDI-if00-port0");
    ASSERT_EQ(Kinds(d), (std::vector{Kind::kHeldBy, Kind::kModemManager}));
    EXPECT_EQ(d.findings[0].pid, 1234);
    EXPECT_EQ(d.findings[0].process, "minicom");
    EXPECT_FALSE(d.CanOpen());

    // Marked by the rule: ModemManager leaves it alone; the holder gone, it opens.
    system.Write("run/udev/data/c188:0", "E:ID_MM_DEVICE_IGNORE=1\nG:uaccess\n");
    std::filesystem::remove(system.dir_ / "proc/1234/fd/5");
    d = system.Check();
    EXPECT_TRUE(d.findings.empty());
    EXPECT_TRUE(d.CanOpen());
}

TEST(PortDoctorTest, MissingPortExplainedByTheAdapter) {
    struct Case {
        const char* what;
        const char* driver;
        bool brlttyRule;
        bool masked;
        std::vector<Kind> kinds;
    } cases[] = {
        {"no driver", "", false, false, {Kind::kMissing, Kind::kNoDriver}},
        {"taken by brltty", "usbfs", true, false, {Kind::kMissing, Kind::kClaimed, Kind::kBrltty}},
        {"brltty's rule masked", "usbfs", true, true, {Kind::kMissing, Kind::kClaimed}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeSystem system;
        system.Cable("1a86", "7523", c.driver, false);
        if (c.brlttyRule) {
            system.Write("usr/lib/udev/rules.d/85-brltty.rules",
                         "# Device: 1A86:7523\n"
                         "ENV{PRODUCT}==\"1a86/7523/*\", ENV{BRLTTY_BRAILLE_DRIVER}=\"bm\", "
                         "GOTO=\"brltty_usb_run\"\nLABEL=\"brltty_usb_run\"\n");
        }
        if (c.masked) system.Link("etc/udev/rules.d/85-brltty.rules", "/dev/null");
        const auto d = system.Check();
        EXPECT_EQ(Kinds(d), c.kinds);
        EXPECT_FALSE(d.CanOpen());
        if (d.findings.size() > 1) {
            EXPECT_EQ(d.findings[1].adapter, "CH340/CH341 (1a86:7523)");
            EXPECT_EQ(d.findings[1].device, "1-1");
        }
    }
}

TEST(PortDoctorTest, WholeSystemWithAndWithoutCable) {
    FakeSystem system;
    auto d = system.Check("");
    ASSERT_EQ(Kinds(d), std::vector{Kind::kMissing});
    EXPECT_NE(d.findings[0].Message().find("no programming cable"), std::string::npos);
    system.Cable("067b", "2303", "pl2303");
    system.Mode(0666);
    d = system.Check("");
    EXPECT_TRUE(d.findings.empty());
    EXPECT_TRUE(d.CanOpen());
}

}  // namespace
}  // namespace rvm46
