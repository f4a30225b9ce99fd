// The serial port and the transfers: the port command and the opening of the port, the read and
// write commands, the handshake, the acknowledge exchange and block frames on the protocol steps,
// reading and writing the radio, the failure steps, and the status reset after a transfer.
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <sstream>
#include <system_error>

#include "comm/port_doctor.h"
#include "comm/transfer.h"
#include "model/run_time_error.h"
#include "storage/image_file.h"
#include "storage/port_pins.h"
#include "ui/frm_main.h"
#include "ui/transfer_reason.h"

namespace rvm46::ui {

using namespace forms;

namespace {

#ifdef _WIN32
constexpr bool kSystemComNames = true;
#else
constexpr bool kSystemComNames = false;
#endif

constexpr const char* kBackupFolder = "\\Data\\Backup";

// "Read_20261206_172439" in local time.
std::string BackupStem(std::chrono::system_clock::time_point when) {
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    localtime_r(&t, &local);
    std::ostringstream name;
    name << "Read_" << std::put_time(&local, "%Y%m%d_%H%M%S");
    return name.str();
}

}  // namespace

FrmToolCom& FrmMain::ToolCom() {
    if (!frmToolCom) frmToolCom = std::make_unique<FrmToolCom>(Host(), *this);
    return *frmToolCom;
}

FrmCommun& FrmMain::Commun() {
    if (!frmCommun) frmCommun = std::make_unique<FrmCommun>(Host(), *this);
    return *frmCommun;
}

comm::PortTable FrmMain::MapComPorts() {
    std::vector<comm::PortInfo> found;
    if (serialSystem_ != nullptr) found = serialSystem_->AvailablePorts();
    const auto pins = storage::ReadPortPins(ProgramFilePath(gstrConfigFile));
    return comm::MapPorts(found, pins, kSystemComNames, storage::DeviceIdentity);
}

// ---- Commands ----

void FrmMain::mnuCommunicate_Click() {
    RunToErrorExit([&] {
        ToolCom().ShowModal(this);
        sbrStatus.SetPanelText(2, "COM" + std::to_string(gintComPort));
        InitSoftDefault(true);
    });
}

void FrmMain::mnuReadFre_Click() {
    RunToErrorExit([&] {
        gblnReadMode = true;
        Commun().ShowModal(this);
    });
}

void FrmMain::mnuWriteFre_Click() {
    RunToErrorExit([&] {
        gblnReadMode = false;
        Commun().ShowModal(this);
    });
}

// ---- The port ----

std::optional<PortOpenFailure> FrmMain::OpenComLine() {
    const std::string com = "COM" + std::to_string(gintComPort);
    std::string error;
    const auto device = comm::ResolvePort(com, MapComPorts(), &error);
    if (!device) return PortOpenFailure{gintComPort, {}, PortFailureKind::kUnassigned, error, {}};
    if (serialSystem_ == nullptr) {
        return PortOpenFailure{gintComPort,
                               *device,
                               PortFailureKind::kOther,
                               "this program has no access to serial ports",
                               {}};
    }
    if (!comCommun) comCommun = serialSystem_->NewLine();
    const comm::LineStatus status = comCommun->Open(*device);
    if (status.ok()) return std::nullopt;
    PortOpenFailure failure{
        gintComPort, *device, ClassifyOpenError(status.message()), status.message(), {}};
#ifndef _WIN32
    failure.findings = comm::CheckPort(comm::SystemFiles(systemRoot), *device).findings;
#endif
    return failure;
}

void FrmMain::OpenCom() {
    RunToErrorExit([&] {
        if (!gblnPortClosed) {
            // Left open by a transfer that did not end normally.
            if (comCommun) comCommun->Close();
        } else {
            gblnPortClosed = false;
        }
        if (gintComPort < 1 || gintComPort > comm::kPortCount) {
            Message("msg.portNotSet", MsgButtons::OK, MsgIcon::Exclamation);
            gblnPortClosed = true;
            return;
        }
        portOpenFailure = OpenComLine();
        if (!portOpenFailure) return;

        Message("msg.portOpenFailed", MsgButtons::OK, MsgIcon::Critical);
        gblnPortClosed = true;
        if (frmCommun && frmCommun->Loaded()) frmCommun->Unload();
        // The port dialog shows why, beside the choice of another port.
        ToolCom().ShowModal(this);
        portOpenFailure.reset();
        sbrStatus.SetPanelText(2, "COM" + std::to_string(gintComPort));
        InitSoftDefault(true);
    });
}

void FrmMain::ClosePort() {
    if (comCommun) comCommun->Close();
    gblnPortClosed = true;
}

// ---- Protocol steps with the window's effects ----

// True when the step succeeded; otherwise keeps its reason for the record.
bool FrmMain::TransferStep(const comm::Outcome& outcome) {
    if (!outcome.ok()) {
        lastTransferFailure = outcome.Message();
        lastTransferFault = outcome.failure();
    }
    return outcome.ok();
}

std::string FrmMain::TransferReason() const {
    return TransferReasonLine(lastTransferFault, lastTransferWrote, lastTransferNote, gintLanguage);
}

// A new transfer forgets what the last one left to say.
void FrmMain::ForgetTransferReason(bool writing) {
    lastTransferFailure.clear();
    lastTransferFault.reset();
    lastTransferWrote = writing;
    lastTransferNote.clear();
    if (frmCommun && frmCommun->Loaded()) frmCommun->ShowReason();
}

bool FrmMain::CallFromToolkit(const std::function<void()>& call) {
    try {
        call();
        return true;
    } catch (const RunTimeError&) {
        throw;
    } catch (const std::exception& error) {
        HandlerFault(error.what());
    } catch (...) {
        HandlerFault("an exception of an unknown kind");
    }
    return false;
}

void FrmMain::HandlerFault(std::string_view reason) {
    ClosePort();
    ReportSwallowedError("unexpected fault in a handler", reason);
}

void FrmMain::SolveLeadCode() {
    RunToErrorExit([&] {
        tmrCommunEnd.SetEnabled(false);
        gblnCommError = false;
        SetConvert();
        if (!TransferStep(comm::Handshake(*comCommun, *this))) gblnCommError = true;
    });
}

void FrmMain::SendRece06H() {
    RunToErrorExit([&] {
        if (!TransferStep(comm::AcknowledgeExchange(*comCommun, *this, gintSendDataCnt))) {
            gblnCommError = true;
        }
    });
}

void FrmMain::InitSendData(std::int16_t& mintSendDataCnt) {
    RunToErrorExit([&] {
        Commun().PercentShow();
        comm::CountBlockFrame(*this, gbytMatrixCode, mintSendDataCnt);
    });
}

// ---- Transfers ----

void FrmMain::ReadFre() {
    RunToErrorExit([&] {
        gblnCommError = false;
        ForgetTransferReason(false);
        OpenCom();
        if (gblnPortClosed) return;
        SolveLeadCode();
        if (gblnCommError) return CommunFailed(false);
        for (int n = 0; n < comm::kReadBlockCount; ++n) {
            gintSendDataCnt = static_cast<std::int16_t>(n);
            SendRece06H();
            if (gblnCommError) return CommunFailed(false);
            InitSendData(gintSendDataCnt);
            if (!TransferStep(comm::RequestBlock(*comCommun, *this, gbytMatrixCode, n))) {
                return CommunFailed(false);
            }
        }
        if (!TransferStep(comm::SendClosingAcknowledge(*comCommun, *this))) {
            return CommunFailed(false);
        }
        KeepReadBackup();
        if (readForCompare_) {
            // The radio's image goes to the comparison; the window's codeplug is put back by
            // the comparison command.
            comparedRadio_ = gbytMatrixCode;
            sbrStatus.SetPanelText(1, texts["status.communicationSuccess"]);
            gintCommunEndCnt = 0;
            tmrCommunEnd.SetEnabled(true);
            return ClosePort();
        }
        gintCommunEndCnt = 0;
        tmrCommunEnd.SetEnabled(true);
        EnsureCurrentDataFile();
        SoftDisplay();
        if (gblnCommError) return CommunFailed(false);
        sbrStatus.SetPanelText(1, texts["status.communicationSuccess"]);
        if (gstrCurrentFile && !gstrCurrentFile->empty()) {
            sbrStatus.SetPanelText(3, texts["status.fileNamePrefix"] + *gstrCurrentFile);
        }
        InitSoftDefault(true);
        ClosePort();
    });
}

void FrmMain::WriteFre() {
    RunToErrorExit([&] {
        gblnCommError = false;
        ForgetTransferReason(true);
        OpenCom();
        if (gblnPortClosed) return;
        SolveLeadCode();
        if (gblnCommError) return CommunFailed(true);
        SendRece06H();
        if (gblnCommError) return CommunFailed(true);
        for (int n = 0; n < comm::kWriteBlockCount; ++n) {
            gintSendDataCnt = static_cast<std::int16_t>(n);
            InitSendData(gintSendDataCnt);
            if (!TransferStep(comm::SendBlockFrame(*comCommun, *this, n))) {
                return CommunFailed(true);
            }
        }
        gintCommunEndCnt = 0;
        tmrCommunEnd.SetEnabled(true);
        if (gblnCommError) return CommunFailed(true);
        sbrStatus.SetPanelText(1, texts["status.communicationSuccess"]);
        sbrStatus.SetPanelText(3, gstrCurrentFile && !gstrCurrentFile->empty()
                                      ? texts["status.fileNamePrefix"] + *gstrCurrentFile
                                      : std::string());
        ClosePort();
    });
}

// The failure steps of both transfers. A port that failed mid-transfer (an adapter pulled out)
// ends here too, so the port is never left open.
void FrmMain::CommunFailed(bool writing) {
    Message("msg.communicationError", MsgButtons::OK, MsgIcon::Exclamation);
    if (frmCommun && frmCommun->Loaded()) {
        frmCommun->ShowProgress(0);
        frmCommun->ShowReason();
    }
    if (writing && gstrCurrentFile && !gstrCurrentFile->empty()) {
        sbrStatus.SetPanelText(3, texts["status.fileNamePrefix"] + *gstrCurrentFile);
    }
    sbrStatus.SetPanelText(1, texts["status.communicationFailed"]);
    gintCommunEndCnt = 0;
    tmrCommunEnd.SetEnabled(true);
    ClosePort();
}

void FrmMain::tmrCommunEnd_Timer() {
    RunToErrorExit([&] {
        ++gintCommunEndCnt;
        if (gintCommunEndCnt > 1) {
            tmrCommunEnd.SetEnabled(false);
            sbrStatus.SetPanelText(1, "");
            sbrStatus.SetPanelText(1, texts["status.ready"]);
        }
    });
}

// ---- Files a read leaves behind ----

// Every image read from a radio is kept as a data file in Data/Backup, named by the time of the
// read, so that what a radio held can always be put back. A copy that cannot be written does not
// stop the read.
void FrmMain::KeepReadBackup() {
    namespace fs = std::filesystem;
    const fs::path folder = ProgramFilePath(kBackupFolder);
    std::error_code ec;
    fs::create_directories(folder, ec);
    const std::string stem = BackupStem(std::chrono::system_clock::now());
    fs::path file = folder / (stem + ".Dat");
    for (int n = 2; fs::exists(file, ec); ++n) {
        file = folder / (stem + "_" + std::to_string(n) + ".Dat");
    }
    storage::WriteNewImageFile(file, gbytMatrixCode, nullptr);
}

// The current data file exists after a read (created empty when it did not); nothing is stored
// in it; only the save commands store an image. Anything but a regular file is left alone: a pipe
// would hold the window until something read it, a device would take the bytes.
void FrmMain::EnsureCurrentDataFile() {
    if (!gstrCurrentFile || gstrCurrentFile->empty()) {
        gstrCurrentFile = ProgramFilePath(gstrTempDataFile);
    }
    std::error_code ec;
    const auto status = std::filesystem::status(*gstrCurrentFile, ec);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        lastTransferNote = CurrentFileRefusedNote(*gstrCurrentFile, gintLanguage);
        return;
    }
    std::ofstream touch(*gstrCurrentFile, std::ios::binary | std::ios::app);
}

}  // namespace rvm46::ui
