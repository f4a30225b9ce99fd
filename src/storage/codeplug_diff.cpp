#include "storage/codeplug_diff.h"

#include <array>
#include <cstdio>
#include <optional>

#include "editing/frequency.h"
#include "model/codeplug_layout.h"
#include "storage/codeplug_document.h"

namespace rvm46::storage {

using namespace layout;

namespace {

std::string Hex(int value, int digits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*X", digits, value);
    return buffer;
}

// The text of a list selection; a byte that is not one of the list's items is shown as it is.
std::string ListText(int index, std::initializer_list<const char*> items, int byte) {
    if (index >= 0 && index < static_cast<int>(items.size())) return *(items.begin() + index);
    return "byte " + Hex(byte, 2) + "h (no setting)";
}

std::string ToneText(double index, const ToneTable& tones) {
    const int i = static_cast<int>(index);
    if (i == -1) return "none (no TX)";
    if (i < 0 || i > kToneCount) return "?";
    return editing::ToneCellText(i, tones.gstrQTDQTList[static_cast<std::size_t>(i)], "None");
}

std::string ChannelText(const ChannelRecord& c, const ToneTable& tones) {
    return "RX " + editing::FormatFrequency(c[kFieldRx]) + ", TX " +
           (c[kFieldTx] == -1 ? "none" : editing::FormatFrequency(c[kFieldTx])) + ", decode " +
           ToneText(c[kFieldDecodeTone], tones) + ", encode " +
           ToneText(c[kFieldEncodeTone], tones) + ", BCL " +
           (c[kFieldBusyLockout] == 1 ? "Yes" : "No") + ", shift " +
           (c[kFieldShift] == 1 ? "Yes" : "No");
}

std::string ChannelChanges(const ChannelRecord& a, const ChannelRecord& b, const ToneTable& tones) {
    if (a[kFieldRx] == -1 && b[kFieldRx] == -1) return "";
    if (a[kFieldRx] == -1) return "not in use -> " + ChannelText(b, tones);
    if (b[kFieldRx] == -1) return ChannelText(a, tones) + " -> not in use";
    std::string changes;
    const auto add = [&](const std::string& what, const std::string& from, const std::string& to) {
        if (from == to) return;
        changes += (changes.empty() ? "" : "; ") + what + " " + from + " -> " + to;
    };
    const auto frequency = [](double mhz) {
        return mhz == -1 ? std::string("none") : editing::FormatFrequency(mhz);
    };
    const auto yesNo = [](double v) { return std::string(v == 1 ? "Yes" : "No"); };
    add("RX", frequency(a[kFieldRx]), frequency(b[kFieldRx]));
    add("TX", frequency(a[kFieldTx]), frequency(b[kFieldTx]));
    add("decode tone", ToneText(a[kFieldDecodeTone], tones), ToneText(b[kFieldDecodeTone], tones));
    add("encode tone", ToneText(a[kFieldEncodeTone], tones), ToneText(b[kFieldEncodeTone], tones));
    add("busy lockout", yesNo(a[kFieldBusyLockout]), yesNo(b[kFieldBusyLockout]));
    add("shift", yesNo(a[kFieldShift]), yesNo(b[kFieldShift]));
    return changes;
}

}  // namespace

std::vector<std::string> DiffImages(const CodeplugImage& a, const CodeplugImage& b,
                                    const ModelTable& models, const ToneTable& tones) {
    std::vector<std::string> lines;
    const CodeplugDocument da = DocumentFromImage(a, models, tones);
    const CodeplugDocument db = DocumentFromImage(b, models, tones);
    std::array<bool, kImageSize> explained{};
    const auto explain = [&](std::size_t first, std::size_t count) {
        for (std::size_t i = first; i < first + count; ++i) explained[i] = true;
    };

    const auto setting = [&](const char* what, int ia, int ib, std::size_t index,
                             std::initializer_list<const char*> items) {
        const std::string ta = ListText(ia, items, a[index]);
        const std::string tb = ListText(ib, items, b[index]);
        if (ta != tb) lines.push_back(std::string(what) + ": " + ta + " -> " + tb);
    };
    const auto modelName = [&](int m, std::size_t index, const CodeplugImage& image) {
        return m >= 0 ? models.gstrModel.at(4 * static_cast<std::size_t>(m))
                      : "model code " + std::to_string(image[index]) + " (no model)";
    };
    if (da.lists.model != db.lists.model || a[kModelCodeAt] != b[kModelCodeAt]) {
        lines.push_back("model: " + modelName(da.lists.model, kModelCodeAt, a) + " -> " +
                        modelName(db.lists.model, kModelCodeAt, b));
        explain(kModelBlockAt, kModelBlockSize);
    }
    setting("beep tone", da.lists.beepTone, db.lists.beepTone, kOptionBits, {"ON", "OFF"});
    setting("battery save", da.lists.batterySave, db.lists.batterySave, kOptionBits, {"ON", "OFF"});
    explain(kOptionBits, 1);
    setting("squelch level", da.lists.squelch, db.lists.squelch, kSquelch,
            {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"});
    setting("monitor key", da.lists.monitorKey, db.lists.monitorKey, kMonitorKey,
            {"OFF", "Monitor Momentary", "Monitor Lock", "SQ Off Momentary"});
    setting("time-out timer", da.lists.timeOutTimer, db.lists.timeOutTimer, kTimeOutTimer,
            {"OFF", "30", "60", "90", "120", "150", "180", "210", "240", "270", "300"});
    explain(kSquelch, 3);
    if (da.lists.wideNarrow != db.lists.wideNarrow) {
        const auto wide = [](int w) {
            return w == -1 ? std::string("none (no channel in use)") : w == 0 ? "Wide" : "Narrow";
        };
        lines.push_back("wide/narrow: " + wide(da.lists.wideNarrow) + " -> " +
                        wide(db.lists.wideNarrow));
    }

    for (std::size_t k = 0; k < da.channels.size(); ++k) {
        const std::size_t record = ChannelRecordAt(k);
        const std::string changes = ChannelChanges(da.channels[k], db.channels[k], tones);
        if (changes.empty()) continue;
        lines.push_back("channel " + std::to_string(k + 1) + ": " + changes);
        explain(record, kChannelRecordSize);
    }
    // The wide/narrow bit lives in every channel's flags byte; its change is told once above.
    if (da.lists.wideNarrow != db.lists.wideNarrow) {
        for (std::size_t k = 0; k < da.channels.size(); ++k) {
            const std::size_t flags = ChannelRecordAt(k) + kRecFlags;
            if ((a[flags] ^ b[flags]) == 0x04) explained[flags] = true;
        }
    }

    for (std::size_t i = 0; i < kImageSize; ++i) {
        if (a[i] == b[i] || explained[i]) continue;
        const std::string where =
            i < kHeaderSize ? "header byte " + std::to_string(i)
                            : "address " + Hex(static_cast<int>(i - kHeaderSize), 3) + "h";
        lines.push_back(where + ": " + Hex(a[i], 2) + " -> " + Hex(b[i], 2));
    }
    return lines;
}

}  // namespace rvm46::storage
