#include "ui/codeplug_words.h"

#include <array>
#include <cstdio>

#include "editing/frequency.h"
#include "model/arithmetic.h"
#include "ui/review_texts.h"
#include "ui/text_table.h"

namespace rvm46::ui {

namespace {

const InterfaceTexts& Texts() {
    static const InterfaceTexts texts;
    return texts;
}

std::string Text(const char* key, int language) {
    return Texts().Of(key, language);
}

std::string Hex(int value) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02Xh", value & 0xFF);
    return buffer;
}

// A label's caption without its colon and padding: " 机型:" -> "机型".
std::string Caption(const char* labelKey, int language) {
    std::string text = Text(labelKey, language);
    for (const std::string suffix : {":", "："}) {
        if (text.ends_with(suffix)) text.resize(text.size() - suffix.size());
    }
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

struct FieldLabel {
    const char* field;
    const char* labelKey;
};
constexpr std::array<FieldLabel, 13> kFieldLabels = {{
    {"rx", "lblReceFreDis.Caption"},
    {"tx", "lblTransFreDis.Caption"},
    {"decode_tone", "lblQTDQTDecodeDis.Caption"},
    {"encode_tone", "lblQTDQTEncodeDis.Caption"},
    {"busy_lockout", "lblForbidDis.Caption"},
    {"shift", "lblShiftDis.Caption"},
    {"model", "lblType.Caption"},
    {"beep_tone", "lblVoiceHint.Caption"},
    {"battery_save", "lblSavePow.Caption"},
    {"squelch", "lblSql.Caption"},
    {"monitor_key", "lblMoni.Caption"},
    {"time_out_timer", "lblTransTimer.Caption"},
    {"wide_narrow", "lblWideNarrow.Caption"},
}};

constexpr std::array<const char*, 6> kChannelKeys = {"rx",          "tx",           "decode_tone",
                                                     "encode_tone", "busy_lockout", "shift"};

// The items of each radio-wide list, as text keys; a number stands for itself.
std::vector<std::string> ListItems(const std::string& field, int language) {
    const auto items = [&](std::initializer_list<const char*> keys) {
        std::vector<std::string> texts;
        for (const char* key : keys) texts.push_back(Text(key, language));
        return texts;
    };
    if (field == "beep_tone" || field == "battery_save") return items({"list.on", "list.off"});
    if (field == "monitor_key") {
        return items(
            {"list.off", "list.monitorMomentary", "list.monitorLock", "list.squelchOffMomentary"});
    }
    if (field == "wide_narrow") return items({"list.wide", "list.narrow"});
    std::vector<std::string> numbers;
    if (field == "squelch") {
        for (int i = 0; i <= 9; ++i) numbers.push_back(std::to_string(i));
    } else if (field == "time_out_timer") {
        numbers.push_back(Text("list.off", language));
        for (int n = 1; n <= 10; ++n) numbers.push_back(std::to_string(30 * n));
    }
    return numbers;
}

// A channel in use on one side: every cell with its caption.
std::string ChannelWords(const ChannelRecord& channel, const WordTables& words) {
    if (channel[kFieldRx] == -1) return ReviewText("words.notInUse", words.language);
    std::string text;
    for (int f = kFieldRx; f <= kFieldShift; ++f) {
        text += (text.empty() ? "" : ", ") + FieldCaption(kChannelKeys[f], words.language) + " " +
                ChannelCell(f, channel[static_cast<std::size_t>(f)], words);
    }
    return text;
}

}  // namespace

std::string FieldCaption(const std::string& field, int language) {
    for (const FieldLabel& label : kFieldLabels) {
        if (field == label.field) return Caption(label.labelKey, language);
    }
    if (field == "channel") return ReviewText("words.channel", language);
    if (field == "model_code") return ReviewText("words.modelCode", language);
    if (field.starts_with("address "))
        return ReviewText("words.address", language, field.substr(8));
    if (field.starts_with("header byte ")) {
        return ReviewText("words.headerByte", language, field.substr(12));
    }
    return field;
}

std::string ChannelCell(int field, double value, const WordTables& words) {
    switch (field) {
        case kFieldRx:
        case kFieldTx:
            return value == -1 ? ReviewText("words.noTx", words.language)
                               : editing::FormatFrequency(value);
        case kFieldDecodeTone:
        case kFieldEncodeTone: {
            const int index = RoundToInteger(value);
            if (index == -1) return ReviewText("words.noTx", words.language);
            const std::string listText =
                index >= 0 && index <= kToneCount
                    ? words.tones.gstrQTDQTList[static_cast<std::size_t>(index)]
                    : std::string();
            return editing::ToneCellText(index, listText, Text("list.none", words.language));
        }
        default:
            return Text(value == 1 ? "list.yes" : "list.no", words.language);
    }
}

std::string SettingWords(const std::string& field, int index, int byte, const WordTables& words) {
    if (field == "model" || field == "model_code") {
        if (index >= 0 && index < words.models.gintModelCount) {
            return words.models.gstrModel[4 * static_cast<std::size_t>(index)];
        }
        return ReviewText("words.noModel", words.language, std::to_string(byte));
    }
    if (field == "wide_narrow" && index == -1) {
        return ReviewText("words.noChannelInUse", words.language);
    }
    const std::vector<std::string> items = ListItems(field, words.language);
    if (index >= 0 && index < static_cast<int>(items.size())) {
        return items[static_cast<std::size_t>(index)];
    }
    return ReviewText("words.noSetting", words.language, Hex(byte));
}

std::vector<CompareRow> CompareRows(const std::vector<storage::Difference>& differences,
                                    const WordTables& words) {
    std::vector<CompareRow> rows;
    for (const storage::Difference& d : differences) {
        CompareRow row;
        row.where = d.channel
                        ? ReviewText("compare.channel", words.language, std::to_string(d.channel))
                        : ReviewText("compare.radioWide", words.language);
        row.what = FieldCaption(d.field, words.language);
        if (d.otherByte) {
            row.thisSide = Hex(d.byteA);
            row.otherSide = Hex(d.byteB);
        } else if (d.field == "channel") {
            row.thisSide = ChannelWords(d.channelA, words);
            row.otherSide = ChannelWords(d.channelB, words);
        } else if (d.channel) {
            int field = kFieldRx;
            while (field < kFieldShift && d.field != kChannelKeys[field]) ++field;
            row.thisSide = ChannelCell(field, d.a, words);
            row.otherSide = ChannelCell(field, d.b, words);
        } else {
            row.thisSide = SettingWords(d.field, static_cast<int>(d.a), d.byteA, words);
            row.otherSide = SettingWords(d.field, static_cast<int>(d.b), d.byteB, words);
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace rvm46::ui
