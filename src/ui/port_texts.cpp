#include "ui/port_texts.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "storage/port_pins.h"

namespace rvm46::ui {

namespace {

// Replaces %1, %2 and %3 in a text.
std::string Fill(std::string text, const std::string& one, const std::string& two = {},
                 const std::string& three = {}) {
    const std::pair<const char*, const std::string*> args[] = {
        {"%1", &one}, {"%2", &two}, {"%3", &three}};
    for (const auto& [mark, value] : args) {
        for (std::size_t at = text.find(mark); at != std::string::npos;
             at = text.find(mark, at + value->size())) {
            text.replace(at, 2, *value);
        }
    }
    return text;
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
