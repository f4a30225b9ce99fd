// What the port dialog says about a port that did not open.
#include "ui/port_texts.h"

#include <gtest/gtest.h>

namespace rvm46::ui {
namespace {

TEST(PortTextsTest, OpeningErrorsAreSortedByWhatTheUserCanDo) {
    const std::pair<const char*, PortFailureKind> cases[] = {
        {"/dev/ttyUSB0: no such device", PortFailureKind::kMissing},
        {"/dev/ttyUSB0: device disappeared (Input/output error)", PortFailureKind::kMissing},
        {"/dev/ttyS1: permission denied, or the port is in use by another program",
         PortFailureKind::kPermission},
        {"COM4: the port is already open", PortFailureKind::kBusy},
        {"/dev/ttyS1: Device or resource busy", PortFailureKind::kBusy},
        {"/dev/ttyS1: cannot set 9600 baud 8N1: Inappropriate ioctl", PortFailureKind::kOther},
    };
    for (const auto& [message, kind] : cases) {
        EXPECT_EQ(ClassifyOpenError(message), kind) << message;
    }
}

TEST(PortTextsTest, FailureTextsNameThePortTheDeviceAndWhatToDo) {
    InterfaceTexts texts;
    const PortOpenFailure other{
        4, "/dev/ttyS3", PortFailureKind::kOther, "/dev/ttyS3: cannot set 9600 baud 8N1", {}};
    EXPECT_EQ(DescribeFailure(other, texts, kLanguageEnglish),
              "COM4 (/dev/ttyS3) could not be opened: cannot set 9600 baud 8N1");
    EXPECT_EQ(DescribeFailure(other, texts, kLanguageChinese),
              "COM4（/dev/ttyS3）无法打开：cannot set 9600 baud 8N1");
    const PortOpenFailure unassigned{9, "", PortFailureKind::kUnassigned, "COM9: no device", {}};
    EXPECT_EQ(DescribeFailure(unassigned, texts, kLanguageEnglish),
              "No serial device is assigned to COM9. Plug in the programming cable, or choose "
              "the port it is on.");
    PortOpenFailure permission{1, "/dev/ttyUSB0", PortFailureKind::kPermission, "", {}};
    EXPECT_NE(DescribeFailure(permission, texts, kLanguageEnglish).find("dialout"),
              std::string::npos);
    const PortOpenFailure pinned{2,
                                 "/dev/serial/by-id/usb-FTDI_FT232R_A5-if00-port0",
                                 PortFailureKind::kMissing,
                                 "no such device",
                                 {}};
    EXPECT_EQ(DescribeFailure(pinned, texts, kLanguageEnglish),
              "COM2 is pinned to the adapter FTDI FT232R A5, which is not plugged in. Plug it in, "
              "or choose another port.");
    // With the cable doctor's findings: one line each, with the exact fix.
    comm::PortFinding group;
    group.kind = comm::PortFinding::Kind::kPermission;
    group.device = "/dev/ttyUSB0";
    group.group = "uucp";
    group.user = "ham";
    group.mode = 0660;
    comm::PortFinding held = group;
    held.kind = comm::PortFinding::Kind::kHeldBy;
    held.pid = 77;
    held.process = "minicom";
    permission.findings = {group, held};
    const std::string chinese = DescribeFailure(permission, texts, kLanguageChinese);
    EXPECT_EQ(chinese.rfind("COM1（/dev/ttyUSB0）无法打开：\n- 用户 ham", 0), 0U) << chinese;
    EXPECT_NE(chinese.find("sudo usermod -aG uucp $USER"), std::string::npos);
    EXPECT_NE(chinese.find("\n- /dev/ttyUSB0 正被进程 77（minicom）使用"), std::string::npos);
}

}  // namespace
}  // namespace rvm46::ui
