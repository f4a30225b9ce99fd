#include "ui/frm_tool_com.h"

#include <filesystem>

#include "model/run_time_error.h"
#include "storage/port_pins.h"
#include "storage/settings.h"
#include "ui/frm_main.h"
#include "ui/port_texts.h"

namespace rvm46::ui {

namespace {
constexpr forms::Color kFailureColour = 0x0000C0;  // dark red
constexpr int kRefreshMs = 1000;
}  // namespace

FrmToolCom::FrmToolCom(forms::Platform& platform, FrmMain& main)
    : Form(platform, "frmToolCom"), main_(main) {
    for (int i = 0; i < comm::kPortCount; ++i) {
        COM1.Add(i).SetCaption("COM" + std::to_string(i + 1));
        lblComDevice.Add(i);
    }
    lblPortFailure.SetForeColor(kFailureColour);
    lblPortFailure.SetVisible(false);
    tmrPorts.SetInterval(kRefreshMs);

    FormLoad = [this] { Form_Load(); };
    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
    tmrPorts.TimerEvent = [this] { RunToErrorExit([&] { ShowDevices(); }); };
}

void FrmToolCom::Form_Load() {
    RunToErrorExit([&] {
        const int language = main_.gintLanguage;
        const forms::Color back = main_.gdblColorFull;
        const std::string font =
            language == kLanguageChinese ? main_.gstrChsFont : main_.gstrEngFont;
        SetBackColor(back);
        SetFontName(font);
        SetCaption(main_.texts.Of("frmToolCom.Caption", language));
        const std::initializer_list<forms::Control*> fixed = {&fraToolCom, &lblToolCom, &cmdOK,
                                                              &cmdCancel, &lblPortFailure};
        for (forms::Control* control : fixed) {
            control->SetBackColor(back);
            control->SetFontName(font);
        }
        fraToolCom.SetCaption(main_.texts.Of("fraToolCom.Caption", language));
        lblToolCom.SetCaption(main_.texts.Of("lblToolCom.Caption", language));
        cmdOK.SetCaption(main_.texts.Of("frmToolCom.cmdOK.Caption", language));
        cmdCancel.SetCaption(main_.texts.Of("frmToolCom.cmdCancel.Caption", language));
        for (int i = 0; i < comm::kPortCount; ++i) {
            const std::initializer_list<forms::Control*> pair = {&COM1(i), &lblComDevice(i)};
            for (forms::Control* control : pair) {
                control->SetBackColor(back);
                control->SetFontName(font);
            }
        }
        ShowDevices();

        mintComPort = main_.gintComPort;
        if (main_.gintComPort >= 1 && main_.gintComPort <= comm::kPortCount) {
            COM1(main_.gintComPort - 1).SetValue(true);
        }
    });
}

// The device of every COM number, and the reason of the last failed opening when there is one.
void FrmToolCom::ShowDevices() {
    const int language = main_.gintLanguage;
    const comm::PortTable table = main_.MapComPorts();
    for (int i = 0; i < comm::kPortCount; ++i) {
        const comm::PortAssignment& assignment = table.com[static_cast<std::size_t>(i)];
        std::error_code ec;
        const PortCaption caption =
            assignment.source == comm::PortAssignment::Source::kPinned &&
                    assignment.device.rfind(storage::kStableFolder, 0) == 0 &&
                    !std::filesystem::exists(assignment.device, ec)
                ? DescribeMissingPin(i + 1, assignment.device, main_.texts, language)
                : DescribeAssignment(i + 1, assignment, main_.texts, language);
        lblComDevice(i).SetCaption(caption.label);
        lblComDevice(i).SetToolTipText(caption.toolTip);
        COM1(i).SetToolTipText(caption.toolTip);
    }
    if (main_.portOpenFailure) {
        lblPortFailure.SetCaption(DescribeFailure(*main_.portOpenFailure, main_.texts, language));
        lblPortFailure.SetVisible(true);
    }
}

void FrmToolCom::cmdOK_Click() {
    RunToErrorExit([&] {
        for (int i = 0; i < comm::kPortCount; ++i) {
            if (COM1(i).Value()) {
                mintComPort = static_cast<std::int16_t>(i + 1);
                main_.gintComPort = mintComPort;
                PinAdapter(i + 1);
                break;
            }
        }
    });
    Unload();
}

// A USB adapter found by the enumeration is pinned to its stable name: an adapter plugged in
// later would otherwise take its COM number when it comes first in the order.
void FrmToolCom::PinAdapter(int port) {
    const comm::PortTable table = main_.MapComPorts();
    const comm::PortAssignment& a = table.com[static_cast<std::size_t>(port - 1)];
    if (a.source != comm::PortAssignment::Source::kFound || !a.info || !a.info->vendorId) return;
    main_.Config().Write(storage::kPortsSection, "COM" + std::to_string(port),
                         storage::StablePortPath(a.device));
}

void FrmToolCom::cmdCancel_Click() {
    main_.gintComPort = mintComPort;
    Unload();
}

}  // namespace rvm46::ui
