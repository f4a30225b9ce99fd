#include "ui/port_texts.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "storage/port_pins.h"

namespace rvm46::ui {

namespace {

// Replaces %1, %2, ... in a text.
std::string Fill(std::string text, std::initializer_list<std::string> values) {
    int n = 0;
    for (const std::string& value : values) {
        const std::string mark = "%" + std::to_string(++n);
        for (std::size_t at = text.find(mark); at != std::string::npos;
             at = text.find(mark, at + value.size())) {
            text.replace(at, mark.size(), value);
        }
    }
    return text;
}

std::string Fill(const std::string& text, const std::string& one, const std::string& two = {},
                 const std::string& three = {}) {
    return Fill(text, {one, two, three});
}

// One finding of the cable doctor in the dialog's language.
std::string DescribeFinding(const comm::PortFinding& f, const InterfaceTexts& texts, int language) {
    using Kind = comm::PortFinding::Kind;
    auto text = [&](const char* key) { return texts.Of(key, language); };
    switch (f.kind) {
        case Kind::kMissing:
            return {};  // the failure itself says so
        case Kind::kNoDriver:
            return Fill(text("doctor.noDriver"), f.adapter, f.device, f.driver);
        case Kind::kClaimed:
            return Fill(text("doctor.claimed"), f.adapter, f.device, f.driver);
        case Kind::kPermission: {
            const std::string owner = f.owner + ":" + f.group + " " + comm::ModeText(f.mode);
            const bool groupMay = (f.mode & 0060) == 0060;
            if (groupMay && f.listedInGroup) {
                return Fill(text("doctor.relogin"), {f.user, f.device, owner, f.group});
            }
            std::string line = Fill(text(groupMay ? "doctor.permission" : "doctor.ownerOnly"),
                                    {f.user, f.device, owner, f.group});
            if (f.adapter.empty()) return line;
            return line + Fill(text(f.ruleInstalled ? "doctor.ruleIdle" : "doctor.ruleMissing"),
                               comm::kCableRulesFile);
        }
        case Kind::kHeldBy:
            return Fill(text("doctor.heldBy"), f.device, std::to_string(f.pid), f.process);
        case Kind::kModemManager:
            return Fill(text("doctor.modemManager"), f.device, comm::kCableRulesFile);
        case Kind::kBrltty:
            return Fill(text("doctor.brltty"), f.ruleFile);
    }
    return {};
}

bool Contains(std::string_view text, std::string_view part) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower.find(part) != std::string::npos;
}

std::string ComName(int port) {
    return "COM" + std::to_string(port);
}

}  // namespace

PortFailureKind ClassifyOpenError(std::string_view message) {
    if (Contains(message, "no such") || Contains(message, "not found") ||
        Contains(message, "does not exist") || Contains(message, "disappeared")) {
        return PortFailureKind::kMissing;
    }
    if (Contains(message, "permission")) return PortFailureKind::kPermission;
    if (Contains(message, "in use") || Contains(message, "busy") ||
        Contains(message, "already open")) {
        return PortFailureKind::kBusy;
    }
    return PortFailureKind::kOther;
}

std::string DescribeFailure(const PortOpenFailure& failure, const InterfaceTexts& texts,
                            int language) {
    const std::string com = ComName(failure.port);
    // The line's message starts with the device; the text names the device already.
    std::string reason = failure.systemMessage;
    if (!failure.device.empty() && reason.rfind(failure.device + ": ", 0) == 0) {
        reason.erase(0, failure.device.size() + 2);
    }
    std::string found;
    for (const comm::PortFinding& finding : failure.findings) {
        const std::string line = DescribeFinding(finding, texts, language);
        if (!line.empty()) found += "\n- " + line;
    }
    if (!found.empty())
        return Fill(texts.Of("port.failed.found", language), com, failure.device) + found;
    switch (failure.kind) {
        case PortFailureKind::kUnassigned:
            return Fill(texts.Of("port.failed.unassigned", language), com);
        case PortFailureKind::kMissing:
            if (failure.device.rfind(storage::kStableFolder, 0) == 0) {
                return Fill(texts.Of("port.failed.pinMissing", language), com,
                            storage::AdapterName(failure.device));
            }
            return Fill(texts.Of("port.failed.missing", language), com, failure.device);
        case PortFailureKind::kPermission:
            return Fill(texts.Of("port.failed.permission", language), com, failure.device);
        case PortFailureKind::kBusy:
            return Fill(texts.Of("port.failed.busy", language), com, failure.device);
        case PortFailureKind::kOther:
            break;
    }
    return Fill(texts.Of("port.failed.other", language), com, failure.device, reason);
}

PortCaption DescribeAssignment(int port, const comm::PortAssignment& assignment,
                               const InterfaceTexts& texts, int language) {
    if (assignment.source == comm::PortAssignment::Source::kNone || assignment.device.empty()) {
        return {texts.Of("port.noDevice", language),
                Fill(texts.Of("port.noDeviceTip", language), ComName(port))};
    }
    PortCaption caption;
    caption.label = std::filesystem::path(assignment.device).filename().string();
    if (caption.label.empty()) caption.label = assignment.device;
    caption.toolTip = assignment.device;
    const std::string what = assignment.info ? comm::DescribePort(*assignment.info) : "";
    if (!what.empty()) caption.toolTip += " — " + what;
    return caption;
}

PortCaption DescribeMissingPin(int port, const std::string& device, const InterfaceTexts& texts,
                               int language) {
    const std::string adapter = storage::AdapterName(device);
    return {Fill(texts.Of("port.pinMissing", language), ComName(port), adapter),
            Fill(texts.Of("port.pinMissingTip", language), ComName(port), adapter, device)};
}

}  // namespace rvm46::ui
