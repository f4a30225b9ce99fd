#include "storage/codeplug_diff.h"

#include <array>
#include <cstdio>

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

// The per-channel fields in the grid's order, with the words of the text lines.
struct ChannelField {
    int index;
    const char* key;
    const char* words;
};
constexpr std::array<ChannelField, 6> kChannelFieldsShown = {{
    {kFieldRx, "rx", "RX"},
    {kFieldTx, "tx", "TX"},
    {kFieldDecodeTone, "decode_tone", "decode tone"},
    {kFieldEncodeTone, "encode_tone", "encode tone"},
    {kFieldBusyLockout, "busy_lockout", "busy lockout"},
    {kFieldShift, "shift", "shift"},
}};

// ---- The English words of the text lines ----

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

std::string FrequencyText(double mhz) {
    return mhz == -1 ? std::string("none") : editing::FormatFrequency(mhz);
}

std::string YesNo(double v) {
    return v == 1 ? "Yes" : "No";
}

std::string FieldText(int field, double value, const ToneTable& tones) {
    switch (field) {
        case kFieldRx:
        case kFieldTx:
            return FrequencyText(value);
        case kFieldDecodeTone:
        case kFieldEncodeTone:
            return ToneText(value, tones);
        default:
            return YesNo(value);
    }
}

std::string ChannelText(const ChannelRecord& c, const ToneTable& tones) {
    return "RX " + editing::FormatFrequency(c[kFieldRx]) + ", TX " + FrequencyText(c[kFieldTx]) +
           ", decode " + ToneText(c[kFieldDecodeTone], tones) + ", encode " +
           ToneText(c[kFieldEncodeTone], tones) + ", BCL " + YesNo(c[kFieldBusyLockout]) +
           ", shift " + YesNo(c[kFieldShift]);
}

struct Setting {
    const char* key;
    const char* words;
    std::initializer_list<const char*> items;
};
const std::array<Setting, 5>& Settings() {
    static const std::array<Setting, 5> settings = {{
        {"beep_tone", "beep tone", {"ON", "OFF"}},
        {"battery_save", "battery save", {"ON", "OFF"}},
        {"squelch", "squelch level", {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
        {"monitor_key",
         "monitor key",
         {"OFF", "Monitor Momentary", "Monitor Lock", "SQ Off Momentary"}},
        {"time_out_timer",
         "time-out timer",
         {"OFF", "30", "60", "90", "120", "150", "180", "210", "240", "270", "300"}},
    }};
    return settings;
}

std::string SettingLine(const Difference& d, const ModelTable& models) {
    const auto modelName = [&](double m, int code) {
        return m >= 0 ? models.gstrModel.at(4 * static_cast<std::size_t>(m))
                      : "model code " + std::to_string(code) + " (no model)";
    };
    if (d.field == "model" || d.field == "model_code") {
        return "model: " + modelName(d.a, d.byteA) + " -> " + modelName(d.b, d.byteB);
    }
    if (d.field == "wide_narrow") {
        const auto wide = [](double w) {
            return w == -1 ? std::string("none (no channel in use)") : w == 0 ? "Wide" : "Narrow";
        };
        return "wide/narrow: " + wide(d.a) + " -> " + wide(d.b);
    }
    for (const Setting& s : Settings()) {
        if (d.field != s.key) continue;
        return std::string(s.words) + ": " + ListText(static_cast<int>(d.a), s.items, d.byteA) +
               " -> " + ListText(static_cast<int>(d.b), s.items, d.byteB);
    }
    return d.field + ": " + Hex(d.byteA, 2) + " -> " + Hex(d.byteB, 2);
}

}  // namespace

std::vector<Difference> CompareImages(const CodeplugImage& a, const CodeplugImage& b,
                                      const ModelTable& models, const ToneTable& tones) {
    std::vector<Difference> differences;
    const CodeplugDocument da = DocumentFromImage(a, models, tones);
    const CodeplugDocument db = DocumentFromImage(b, models, tones);
    std::array<bool, kImageSize> explained{};
    const auto explain = [&](std::size_t first, std::size_t count) {
        for (std::size_t i = first; i < first + count; ++i) explained[i] = true;
    };

    for (std::size_t k = 0; k < da.channels.size(); ++k) {
        const ChannelRecord& ca = da.channels[k];
        const ChannelRecord& cb = db.channels[k];
        const int channel = static_cast<int>(k) + 1;
        const std::size_t before = differences.size();
        if (ca[kFieldRx] == -1 && cb[kFieldRx] == -1) continue;
        if (ca[kFieldRx] == -1 || cb[kFieldRx] == -1) {
            differences.push_back(
                {.channel = channel, .field = "channel", .channelA = ca, .channelB = cb});
        } else {
            for (const ChannelField& f : kChannelFieldsShown) {
                const auto i = static_cast<std::size_t>(f.index);
                // Compared as shown, so that values the grid shows alike are alike here too.
                if (FieldText(f.index, ca[i], tones) == FieldText(f.index, cb[i], tones)) continue;
                differences.push_back({.channel = channel, .field = f.key, .a = ca[i], .b = cb[i]});
            }
        }
        if (differences.size() != before) explain(ChannelRecordAt(k), kChannelRecordSize);
    }

    if (da.lists.model != db.lists.model || a[kModelCodeAt] != b[kModelCodeAt]) {
        const bool named = da.lists.model != db.lists.model;
        differences.push_back({.field = named ? "model" : "model_code",
                               .a = static_cast<double>(da.lists.model),
                               .b = static_cast<double>(db.lists.model),
                               .byteA = a[kModelCodeAt],
                               .byteB = b[kModelCodeAt]});
        explain(kModelBlockAt, kModelBlockSize);
    }
    const std::array<std::pair<int, int>, 5> lists = {{
        {da.lists.beepTone, db.lists.beepTone},
        {da.lists.batterySave, db.lists.batterySave},
        {da.lists.squelch, db.lists.squelch},
        {da.lists.monitorKey, db.lists.monitorKey},
        {da.lists.timeOutTimer, db.lists.timeOutTimer},
    }};
    const std::array<std::size_t, 5> bytes = {kOptionBits, kOptionBits, kSquelch, kMonitorKey,
                                              kTimeOutTimer};
    for (std::size_t s = 0; s < lists.size(); ++s) {
        const auto [ia, ib] = lists[s];
        const int byteA = a[bytes[s]];
        const int byteB = b[bytes[s]];
        // A byte outside the list differs even when neither side has a selection.
        const bool noneBoth = ia < 0 && ib < 0;
        if (ia == ib && (!noneBoth || byteA == byteB)) continue;
        differences.push_back({.field = Settings()[s].key,
                               .a = static_cast<double>(ia),
                               .b = static_cast<double>(ib),
                               .byteA = byteA,
                               .byteB = byteB});
    }
    explain(kOptionBits, 1);
    explain(kSquelch, 3);
    if (da.lists.wideNarrow != db.lists.wideNarrow) {
        differences.push_back({.field = "wide_narrow",
                               .a = static_cast<double>(da.lists.wideNarrow),
                               .b = static_cast<double>(db.lists.wideNarrow)});
        // The wide/narrow bit lives in every channel's flags byte; its change is told once.
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
        differences.push_back({.field = where,
                               .a = static_cast<double>(a[i]),
                               .b = static_cast<double>(b[i]),
                               .byteA = a[i],
                               .byteB = b[i],
                               .otherByte = true});
    }
    return differences;
}

std::vector<std::string> DiffImages(const CodeplugImage& a, const CodeplugImage& b,
                                    const ModelTable& models, const ToneTable& tones) {
    const std::vector<Difference> differences = CompareImages(a, b, models, tones);
    std::vector<std::string> settings;
    std::vector<std::string> channels;
    std::vector<std::string> others;
    for (const Difference& d : differences) {
        if (d.otherByte) {
            others.push_back(d.field + ": " + Hex(d.byteA, 2) + " -> " + Hex(d.byteB, 2));
        } else if (d.channel == 0) {
            settings.push_back(SettingLine(d, models));
        } else {
            const std::string prefix = "channel " + std::to_string(d.channel) + ": ";
            std::string change;
            if (d.field == "channel") {
                change = d.channelA[kFieldRx] == -1
                             ? "not in use -> " + ChannelText(d.channelB, tones)
                             : ChannelText(d.channelA, tones) + " -> not in use";
            } else {
                for (const ChannelField& f : kChannelFieldsShown) {
                    if (d.field != f.key) continue;
                    change = std::string(f.words) + " " + FieldText(f.index, d.a, tones) + " -> " +
                             FieldText(f.index, d.b, tones);
                }
            }
            // The changes of one channel share its line.
            if (!channels.empty() && channels.back().starts_with(prefix)) {
                channels.back() += "; " + change;
            } else {
                channels.push_back(prefix + change);
            }
        }
    }
    std::vector<std::string> lines = std::move(settings);
    lines.insert(lines.end(), channels.begin(), channels.end());
    lines.insert(lines.end(), others.begin(), others.end());
    return lines;
}

}  // namespace rvm46::storage
