#include "ui/frm_tool_com.h"

#include "model/run_time_error.h"
#include "ui/frm_main.h"
#include "ui/port_texts.h"

namespace rvm46::ui {

namespace {
constexpr forms::Color kFailureColour = 0x0000C0;  // dark red
}  // namespace

FrmToolCom::FrmToolCom(forms::Platform& platform, FrmMain& main)
    : Form(platform, "frmToolCom"), main_(main) {
    for (int i = 0; i < comm::kPortCount; ++i) {
        COM1.Add(i).SetCaption("COM" + std::to_string(i + 1));
        lblComDevice.Add(i);
    }
    lblPortFailure.SetForeColor(kFailureColour);
    lblPortFailure.SetVisible(false);

    FormLoad = [this] { Form_Load(); };
    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
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
        const PortCaption caption = DescribeAssignment(
            i + 1, table.com[static_cast<std::size_t>(i)], main_.texts, language);
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
                break;
            }
        }
    });
    Unload();
}

void FrmToolCom::cmdCancel_Click() {
    main_.gintComPort = mintComPort;
    Unload();
}

}  // namespace rvm46::ui
