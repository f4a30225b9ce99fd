#include "cli/port_check.h"

#include "comm/port_doctor.h"

namespace rvm46::cli {

namespace {

void PrintFindings(const comm::PortDiagnosis& diagnosis, bool blocking, std::ostream& out) {
    for (const comm::PortFinding& f : diagnosis.findings) {
        if (f.Blocks() == blocking) out << (blocking ? "  - " : "  note: ") << f.Message() << "\n";
    }
}

}  // namespace

int CheckPortsVerb(const comm::SystemFiles& files, const std::string& device,
                   const std::string& name, comm::SerialSystem* serial, std::ostream& out) {
    const comm::PortDiagnosis diagnosis =
        device.empty() ? comm::CheckCables(files) : comm::CheckPort(files, device);
    const std::string what = device.empty()
                                 ? "the programming cables"
                                 : (name == device ? device : name + " (" + device + ")");
    std::string openError;
    if (diagnosis.CanOpen() && serial != nullptr && !device.empty()) {
        const auto line = serial->NewLine();
        const comm::LineStatus status = line->Open(device);
        if (status.ok()) {
            line->Close();
        } else {
            openError = status.message();
        }
    }
    if (diagnosis.CanOpen() && openError.empty()) {
        out << what << (device.empty() ? " plugged in can be opened.\n" : ": can be opened.\n");
        PrintFindings(diagnosis, false, out);
        return 0;
    }
    out << what << ": cannot be opened.\n";
    if (!openError.empty()) out << "  - " << openError << "\n";
    PrintFindings(diagnosis, true, out);
    PrintFindings(diagnosis, false, out);
    return 1;
}

}  // namespace rvm46::cli
