// Reading and writing the radio from the window, against the simulated radio: the progress and
// status shown, what the radio and the window hold after a transfer or a failure, the backups and
// the data file a read leaves, and the port dialog. The transfer_* scenarios drive the same
// commands end to end, with the status reset and the last port number.
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <optional>

#include "editing/channel_window_fixture.h"
#include "model/codeplug_layout.h"
#include "model/run_time_error.h"
#include "storage/image_file.h"
#include "support/simulated_serial_system.h"
#include "ui/frm_commun.h"
#include "ui/frm_tool_com.h"

namespace rvm46::testing {
namespace {

using forms::Property;
using forms::PropertyChange;
using radiosim::Fault;

constexpr const char* kDevice = "/dev/rvm46-test-radio";

radiosim::RadioMemory Pattern() {
    radiosim::RadioMemory memory{};
    for (std::size_t a = 0; a < memory.size(); ++a) memory[a] = static_cast<std::uint8_t>(a * 7);
    return memory;
}

// What one press of the communication dialog's button showed.
struct TransferRun {
    std::vector<int> bar;               // progress values, as they changed
    std::vector<std::string> percents;  // "bar=percentage" at each change of the percentage
    std::vector<std::string> status;    // status panel 1, consecutive repeats dropped
    bool timerOffInTransfer = true;  // the status reset timer was off whenever the status changed
    bool closedItself = false;       // the dialog unloaded itself during the transfer
    std::string reason;              // the dialog's reason line when it stayed open
};

class TransferTest : public ChannelWindowTest {
  protected:
    // The delivered files, English, the 400-470 MHz model, COM1 pinned to the simulated radio.
    void SetUp() override {
        InstallDeliveredFiles();
        SetConfig("Setting", "Language", "2");
        SetConfig("Setting", "Model", std::to_string(kModel400To470));
        SetConfig("Setting", "FreEqual", "0");
        SetConfig("Ports", "COM1", kDevice);
    }

    // A new run of the program whose serial ports lead to `line`.
    ui::FrmMain& StartOn(SimulatedLine& line) {
        system_.Use(line);
        ui::FrmMain& w = Start();
        w.SetSerialSystem(&system_);
        return w;
    }

    // Opens the communication dialog by the menu, presses its button, and closes the dialog when
    // it stayed open.
    TransferRun Run(bool read) {
        TransferRun run;
        platform_->QueueModal([&](forms::Form& form) {
            auto& dialog = dynamic_cast<ui::FrmCommun&>(form);
            ui::FrmMain& w = W();
            const int bar = dialog.prgCommunicate.Subscribe([&](const PropertyChange& c) {
                if (c.property == Property::Value) run.bar.push_back(dialog.prgCommunicate.Value());
            });
            const int percent = dialog.lblProgress.Subscribe([&](const PropertyChange& c) {
                if (c.property != Property::Caption) return;
                run.percents.push_back(std::to_string(dialog.prgCommunicate.Value()) + "=" +
                                       dialog.lblProgress.Caption());
            });
            const int status = w.sbrStatus.Subscribe([&](const PropertyChange& c) {
                if (c.property != Property::PanelText || c.index != 1) return;
                const std::string& text = w.sbrStatus.PanelText(1);
                if (run.status.empty() || run.status.back() != text) run.status.push_back(text);
                if (run.status.size() == 1) run.timerOffInTransfer = !w.tmrCommunEnd.Enabled();
            });
            dialog.cmdRW.UserClick();
            dialog.prgCommunicate.Unsubscribe(bar);
            dialog.lblProgress.Unsubscribe(percent);
            w.sbrStatus.Unsubscribe(status);
            run.closedItself = !dialog.Loaded();
            if (dialog.Loaded()) {
                run.reason = dialog.lblReason.Visible() ? dialog.lblReason.Caption() : "";
                dialog.UserClose();
            }
        });
        (read ? W().mnuReadFre : W().mnuWriteFre).UserClick();
        return run;
    }

    // from..to, then `last` when one is given.
    static std::vector<int> Count(int from, int to, std::optional<int> last = std::nullopt) {
        std::vector<int> values;
        for (int v = from; v <= to; ++v) values.push_back(v);
        if (last) values.push_back(*last);
        return values;
    }

    void ExpectPortClosedAndResetPending(SimulatedLine& line) {
        EXPECT_TRUE(W().gblnPortClosed);
        EXPECT_FALSE(line.IsOpen());
        EXPECT_TRUE(W().tmrCommunEnd.Enabled());
        EXPECT_EQ(W().gintCommunEndCnt, 0);
    }

    fs::path DataFile() const { return folder_ / "Data" / "TempData.dat"; }
    std::vector<fs::path> Backups() const {
        std::vector<fs::path> files;
        std::error_code none;  // no folder: no backups
        for (const auto& entry : fs::directory_iterator(folder_ / "Data" / "Backup", none)) {
            files.push_back(entry.path());
        }
        return files;
    }

    SimulatedLine unused_;
    SimulatedSerialSystem system_{unused_};
};

const std::string kCommunicating = "Communicating,wait a minute    ";
const std::string kSuccess = "Communication success";
const std::string kFailed = "Communication failed";

TEST_F(TransferTest, WriteThenReadCarriesTheCodeplugAndEachReadKeepsABackup) {
    radiosim::RadioMemory before{};
    before.fill(0x5A);
    SimulatedLine line(before);
    ui::FrmMain& w = StartOn(line);
    AcceptChannel(3, "460.0125", "465");

    const TransferRun write = Run(false);
    EXPECT_EQ(write.bar, Count(1, 122));
    EXPECT_EQ(write.status, (std::vector<std::string>{kCommunicating, kSuccess}));
    EXPECT_TRUE(write.timerOffInTransfer);
    ExpectPortClosedAndResetPending(line);
    // The radio holds the encoded edit state up to 3D7h; 3D8h..3FFh are never written.
    const auto& memory = line.radio().memory();
    for (std::size_t a = 0; a < memory.size(); ++a) {
        const std::uint8_t want = a < 0x3D8 ? w.gbytMatrixCode[50 + a] : 0x5A;
        ASSERT_EQ(memory[a], want) << "address " << a;
    }
    EXPECT_TRUE(Backups().empty());

    // A new run of the program reads it back and keeps a copy named by the time of the read.
    ui::FrmMain& r = StartOn(line);
    const TransferRun read = Run(true);
    EXPECT_EQ(read.bar, Count(1, 127));
    // Rounded, not cut: the first block of 127 is 1%.
    ASSERT_FALSE(read.percents.empty());
    EXPECT_EQ(read.percents.front() + " " + read.percents.back(), "1=1% 127=100%");
    EXPECT_EQ(r.gdblChannel[3][0], 460.0125);
    ExpectPortClosedAndResetPending(line);
    const auto backups = Backups();
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(backups[0].filename().string().substr(0, 5), "Read_");
    EXPECT_EQ(backups[0].extension(), ".Dat");
    std::string error;
    const auto copy = storage::ReadImageFile(backups[0], &error);
    ASSERT_TRUE(copy) << error;
    EXPECT_TRUE(std::equal(copy->begin() + 50, copy->end(), memory.begin()));
    // (A second read keeping a second copy: master_file_kept_after_read.)
}

// Every failure after the opening ends with the same steps, and a read that fails leaves the
// window's channels as they were: only the blocks that arrived are in the image.
TEST_F(TransferTest, FailuresAfterTheOpeningAllEndWithTheFailureSteps) {
    const std::string halfWritten = "\nThe radio may be half-written; writing it again is safe.";
    struct Case {
        const char* fault;  // as the simulator names it
        bool read;
        // Progress shown, then 0 if the dialog is up (the bar starts at 0, so an empty list
        // means it stayed there).
        std::vector<int> bar;
        bool closedItself;
        std::string reason;  // the dialog's reason line
    };
    // clang-format off
    const Case cases[] = {
        {"nak-handshake",     true,  {},              false, "The radio refused the handshake"},
        {"silent-handshake",  false, {},              false, "No answer from the radio at the handshake"},
        {"short-ident",       true,  {},              false, "No answer from the radio at the identity request"},
        {"garbage-handshake", false, {},              false, "The radio refused the handshake"},
        {"silent:5",          true,  {1, 2, 3, 4, 5, 0}, false, "No answer from the radio at block 5 (address 0028h)"},
        // An adapter unplugged mid-transfer.
        {"hangup:3",          true,  {1, 2, 3, 0},    false, "The cable was unplugged"},
        {"hangup:2",          false, {1, 2, 0},       false, "The cable was unplugged" + halfWritten},
        // The write's last block fails after the dialog has closed itself.
        {"wrong:122",         false, Count(1, 122),   true,  "Wrong reply from the radio at block 122 (address 03D0h)" + halfWritten},
        // The acknowledge faults: the write's one, a read's before block 40, a read's closing one.
        {"ack-wrong:0",       false, {},              false, "Wrong reply from the radio at the acknowledge before block 0"},
        {"ack-silent:40",     true,  Count(1, 39, 0), false, "No answer from the radio at the acknowledge before block 40"},
        {"ack-hangup:128",    true,  Count(1, 127),   true,  "The cable was unplugged"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.fault) + (c.read ? " read" : " write"));
        const Fault fault = *radiosim::ParseFault(c.fault, nullptr);
        SimulatedLine line(Pattern(), fault);
        ui::FrmMain& w = StartOn(line);
        AcceptChannel(0, "440", "445");
        w.SetConvert();
        const CodeplugImage before = w.gbytMatrixCode;
        const auto channels = w.gdblChannel;
        const std::size_t messages = platform_->Messages().size();
        platform_->QueueAnswer(MsgResult::OK);
        const TransferRun run = Run(c.read);
        ASSERT_EQ(platform_->Messages().size(), messages + 1);
        EXPECT_EQ(platform_->Messages().back().prompt,
                  "Communication failed,please check commuication port!");
        EXPECT_EQ(platform_->Messages().back().icon, MsgIcon::Exclamation);
        EXPECT_EQ(run.bar, c.bar);
        EXPECT_EQ(run.closedItself, c.closedItself);
        ASSERT_FALSE(run.status.empty());
        EXPECT_EQ(run.status.back(), kFailed);
        EXPECT_FALSE(w.lastTransferFailure.empty());
        EXPECT_EQ(w.TransferReason(), c.reason);
        if (!c.closedItself) {
            EXPECT_EQ(run.reason, c.reason);
        }
        ExpectPortClosedAndResetPending(line);
        EXPECT_EQ(w.gdblChannel, channels);
        EXPECT_EQ(Row(0)[0], "440.00000");
        EXPECT_TRUE(Backups().empty());
        if (!c.read) continue;
        // Only the dialog's last block shows success, before the closing acknowledge.
        EXPECT_EQ(std::count(run.status.begin(), run.status.end(), kSuccess), c.closedItself);
        // The blocks before the failing one hold the radio's bytes, the rest is as it was.
        // A block arrives after its frame started; the acknowledge before it comes first.
        std::size_t arrived =
            8 * std::count_if(c.bar.begin(), c.bar.end(), [](int v) { return v > 0; });
        if (fault.kind == Fault::Kind::kSilentAck) arrived = 8 * fault.n;
        if (fault.kind == Fault::Kind::kHangUpAck) arrived = 1024;
        for (std::size_t i = 50; i < before.size(); ++i) {
            const std::uint8_t want = i < 50 + arrived ? line.radio().memory()[i - 50] : before[i];
            ASSERT_EQ(w.gbytMatrixCode[i], want) << i;
        }
    }
}

TEST_F(TransferTest, UnsetPortShowsItsMessageAndOpensNothing) {
    for (const char* com : {"0", "17"}) {
        SCOPED_TRACE(com);
        SimulatedLine line;
        SetConfig("Setting", "COM", com);
        SetConfig("Setting", "Language", "1");
        ui::FrmMain& w = StartOn(line);
        const std::size_t modals = platform_->Modals().size();
        platform_->QueueAnswer(MsgResult::OK);
        EXPECT_FALSE(Run(true).closedItself);
        ASSERT_EQ(platform_->Messages().size(), 1u);
        EXPECT_EQ(platform_->Messages()[0].prompt,
                  "通信端口未设置，请先选择 \"设置\" -> \"通信端口\" 选择串口");
        EXPECT_EQ(platform_->Messages()[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(platform_->Modals().size(), modals + 1);  // the port dialog did not come up
        EXPECT_EQ(line.opens(), 0);
        EXPECT_TRUE(w.gblnPortClosed);
        EXPECT_EQ(w.sbrStatus.PanelText(1), "就绪");
        EXPECT_FALSE(w.tmrCommunEnd.Enabled());
    }
}

// The dialog lists the devices and follows adapters plugged in while it is open; a confirmed port
// that is a USB adapter is pinned, a pinned adapter that is gone is named; Cancel, or OK without a
// choice, keeps the port.
TEST_F(TransferTest, PortDialogListsPinsAndKeepsThePortOnCancelOrNoChoice) {
    SimulatedLine line;
    const std::string gone = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
    SetConfig("Ports", "COM4", gone);
    system_.ports = {{"/dev/ttyS0", "", "", std::nullopt, std::nullopt},
                     {"/dev/ttyUSB0", "FT232R USB UART", "FTDI", 0x0403, 0x6001}};
    SetConfig("Setting", "COM", "0");
    ui::FrmMain& w = StartOn(line);
    SetConfig("Ports", "COM3", "/dev/pinned-radio");

    const auto choose = [&](int option, bool ok) {
        platform_->QueueModal([option, ok](forms::Form& form) {
            auto& dialog = dynamic_cast<ui::FrmToolCom&>(form);
            if (option >= 0) dialog.COM1(option).UserClick();
            (ok ? dialog.cmdOK : dialog.cmdCancel).UserClick();
        });
    };
    platform_->QueueModal([&](forms::Form& form) {
        auto& dialog = dynamic_cast<ui::FrmToolCom&>(form);
        for (int i = 0; i < 16; ++i) EXPECT_FALSE(dialog.COM1(i).Value()) << i;
        EXPECT_FALSE(dialog.lblPortFailure.Visible());
        // Pinned first (COM1 from the test's set-up, COM3, COM4), then what the system found, USB
        // adapters first.
        EXPECT_EQ(dialog.lblComDevice(2).Caption(), "pinned-radio");
        EXPECT_EQ(dialog.lblComDevice(3).Caption(), "FTDI FT232R USB UART A50285BI not plugged in");
        EXPECT_EQ(dialog.lblComDevice(1).Caption(), "ttyUSB0");
        EXPECT_NE(dialog.COM1(1).ToolTipText().find("FT232R USB UART"), std::string::npos);
        EXPECT_EQ(dialog.lblComDevice(4).Caption(), "ttyS0");
        EXPECT_EQ(dialog.lblComDevice(5).Caption(), "no device");
        EXPECT_EQ(dialog.COM1(5).ToolTipText(), "No serial device is assigned to COM6");
        system_.ports.push_back({"/dev/ttyUSB1", "", "", 0x0403, 0x6001});
        EXPECT_TRUE(dialog.tmrPorts.Tick());
        EXPECT_EQ(dialog.lblComDevice(4).Caption(), "ttyUSB1");
        dialog.cmdOK.UserClick();
    });
    w.tlbFrmMain.UserClickButton("Com");
    EXPECT_EQ(w.gintComPort, 0);
    EXPECT_EQ(w.sbrStatus.PanelText(2), "COM0");

    choose(1, false);
    w.mnuCommunicate.UserClick();
    EXPECT_EQ(w.gintComPort, 0);
    choose(1, true);  // COM2, the first adapter found
    w.mnuCommunicate.UserClick();
    EXPECT_EQ(w.gintComPort, 2);  // shown and stored: transfer_port_missing
    choose(-1, false);
    w.mnuCommunicate.UserClick();
    EXPECT_EQ(w.gintComPort, 2);
    // Without a stable name on this machine the device itself is pinned; ports not confirmed
    // are not.
    EXPECT_EQ(storage::ProfileRead(ConfigFile(), "Ports", "COM2", "", 300), "/dev/ttyUSB0");
    EXPECT_EQ(storage::ProfileRead(ConfigFile(), "Ports", "COM5", "", 300), "");
    EXPECT_EQ(storage::ProfileRead(ConfigFile(), "Ports", "COM4", "", 300), gone);
}

TEST_F(TransferTest, CurrentDataFileAfterReadAndWrite) {
    SimulatedLine line(Pattern());
    ui::FrmMain& w = StartOn(line);
    w.gstrCurrentFile = "";  // as after New
    ASSERT_FALSE(fs::exists(DataFile()));

    // A write without a current file shows no file.
    Run(false);
    EXPECT_EQ(w.sbrStatus.PanelText(3), "");
    // A read makes the default data file current and creates it, empty.
    Run(true);
    EXPECT_EQ(w.gstrCurrentFile, DataFile().string());
    EXPECT_EQ(w.sbrStatus.PanelText(3), "File Name: " + DataFile().string());
    ASSERT_TRUE(fs::exists(DataFile()));
    EXPECT_EQ(fs::file_size(DataFile()), 0u);

    // A current file is neither replaced nor written by a read.
    const fs::path own = folder_ / "own.Dat";
    { std::ofstream(own, std::ios::binary) << std::string(1074, '\x11'); }
    w.gstrCurrentFile = own.string();
    Run(true);
    EXPECT_EQ(w.gstrCurrentFile, own.string());
    EXPECT_EQ(fs::file_size(own), 1074u);
    EXPECT_EQ(w.sbrStatus.PanelText(3), "File Name: " + own.string());

    // A pipe would hold the window until something read it: it is left alone, and said so.
    const fs::path pipe = folder_ / "pipe.Dat";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    w.gstrCurrentFile = pipe.string();
    Run(true);
    EXPECT_EQ(w.sbrStatus.PanelText(1), kSuccess);
    EXPECT_EQ(w.TransferReason(),
              "The current file " + pipe.string() + " is not a regular file; it was left alone.");
    w.gintLanguage = ui::kLanguageChinese;  // the note is in the interface language
    Run(true);
    EXPECT_EQ(w.TransferReason(), "当前文件 " + pipe.string() + " 不是普通文件，程序没有打开它。");
}

// An exception no procedure expected, inside a transfer, ends at the toolkit's door: the port is
// closed, the error reported, and the window goes on.
TEST_F(TransferTest, UnexpectedFaultClosesThePort) {
    struct ThrowingLine : SimulatedLine {
        using SimulatedLine::SimulatedLine;
        comm::LineStatus Send(std::span<const std::uint8_t>) override {
            throw std::logic_error("broken line");
        }
    } broken;
    ui::FrmMain& w = StartOn(broken);
    std::vector<std::string> reported;
    SetSwallowedErrorObserver(
        [&](std::string_view, std::string_view reason) { reported.emplace_back(reason); });
    platform_->QueueModal(
        [](forms::Form& form) { dynamic_cast<ui::FrmCommun&>(form).cmdRW.UserClick(); });
    EXPECT_FALSE(w.CallFromToolkit([&] { w.mnuReadFre.UserClick(); }));
    SetSwallowedErrorObserver(nullptr);
    EXPECT_EQ(reported, std::vector<std::string>{"broken line"});
    EXPECT_FALSE(broken.IsOpen());
    EXPECT_TRUE(w.gblnPortClosed);
}

}  // namespace
}  // namespace rvm46::testing
