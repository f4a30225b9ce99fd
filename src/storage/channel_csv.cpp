#include "storage/channel_csv.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "editing/frequency.h"
#include "model/arithmetic.h"
#include "storage/channel_csv_rows.h"
#include "storage/csv_text.h"

namespace rvm46::storage {

namespace csv {

namespace {

std::optional<double> YesNo(const std::string& text) {
    const std::string word = Lower(text);
    if (word == "yes" || word == "是" || word == "1" || word == "true" || word == "on") return 1;
    if (word.empty() || word == "no" || word == "否" || word == "0" || word == "false" ||
        word == "off") {
        return 0;
    }
    return std::nullopt;
}

}  // namespace

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Row::Get(const std::string& column) const {
    const auto found = columns_.find(Lower(column));
    if (found == columns_.end() || found->second >= fields_.size()) return {};
    return Trim(fields_[found->second]);
}

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

std::optional<long> WholeNumber(const std::string& text) {
    const auto value = StrictNumber(text);
    if (!value || *value != std::floor(*value) || std::abs(*value) > 1e9) return std::nullopt;
    return static_cast<long>(*value);
}

std::optional<int> ToneFromText(const std::string& text, const ToneTable& tones) {
    const std::string word = Lower(Trim(text));
    if (word == "none" || word == "无") return 0;
    const auto number = StrictNumber(word);
    for (int i = 1; i <= kToneCount; ++i) {
        const std::string& listText = tones.gstrQTDQTList[static_cast<std::size_t>(i)];
        if (Lower(listText) == word) return i;
        // CTCSS tones read as numbers: 67, 67.0 and 67.00 are one tone.
        if (i <= kLastQtTone && number) {
            const auto listNumber = StrictNumber(listText);
            if (listNumber && std::abs(*listNumber - *number) < 0.005) return i;
        }
    }
    return std::nullopt;
}

std::optional<RowChannel> ReadOwnRow(const Row& row, const ToneTable& tones,
                                     std::vector<Finding>& errors) {
    const std::size_t before = errors.size();
    const auto refuse = [&](const char* column, const std::string& value, const std::string& why) {
        errors.push_back({row.Where(), column, value, why});
    };
    RowChannel result;
    result.channel.fill(-1);
    ChannelRecord& channel = result.channel;
    result.location = WholeNumber(row.Get("Channel"));
    if (!result.location)
        refuse("Channel", row.Get("Channel"), row.Say("not a channel number", "不是信道号"));

    const auto frequency = [&](const char* column, int field) {
        const std::string text = row.Get(column);
        if (text.empty()) return;
        const auto value = editing::FrequencyValue(text);
        if (!value)
            return refuse(column, text,
                          row.Say("not a frequency in MHz", "不是以 MHz 为单位的频率"));
        channel[static_cast<std::size_t>(field)] = *value;
    };
    frequency("RX MHz", kFieldRx);
    frequency("TX MHz", kFieldTx);
    if (row.Get("RX MHz").empty()) {
        if (!row.Get("TX MHz").empty())
            refuse("RX MHz", "",
                   row.Say("a channel needs a receive frequency", "信道必须有接收频率"));
        return errors.size() == before ? std::optional(result) : std::nullopt;
    }

    const auto tone = [&](const char* column, int field, double empty) {
        const std::string text = row.Get(column);
        if (text.empty()) {
            channel[static_cast<std::size_t>(field)] = empty;
            return;
        }
        const auto index = ToneFromText(text, tones);
        if (!index)
            return refuse(column, text,
                          row.Say("not a tone of the tone list", "不是亚音列表中的亚音"));
        channel[static_cast<std::size_t>(field)] = *index;
    };
    tone("Decode", kFieldDecodeTone, 0);
    tone("Encode", kFieldEncodeTone, channel[kFieldTx] == -1 ? -1 : 0);
    for (const auto& [column, field] :
         {std::pair{"Busy Lockout", kFieldBusyLockout}, std::pair{"Shift", kFieldShift}}) {
        const auto value = YesNo(row.Get(column));
        if (!value) {
            refuse(column, row.Get(column),
                   row.Say("must be Yes or No", "必须为 Yes 或 No（是或否）"));
            continue;
        }
        channel[static_cast<std::size_t>(field)] = *value;
    }
    return errors.size() == before ? std::optional(result) : std::nullopt;
}

std::vector<std::string> OwnFields(int number, const ChannelRecord& channel,
                                   const ToneTable& tones) {
    const auto tone = [&](int field) {
        const int index = static_cast<int>(channel[static_cast<std::size_t>(field)]);
        const std::string listText = index >= 0 && index <= kToneCount
                                         ? tones.gstrQTDQTList[static_cast<std::size_t>(index)]
                                         : std::string();
        return editing::ToneCellText(index, listText, "None");
    };
    return {std::to_string(number),
            editing::FormatFrequency(channel[kFieldRx]),
            channel[kFieldTx] == -1 ? "" : editing::FormatFrequency(channel[kFieldTx]),
            tone(kFieldDecodeTone),
            tone(kFieldEncodeTone),
            channel[kFieldBusyLockout] == 1 ? "Yes" : "No",
            channel[kFieldShift] == 1 ? "Yes" : "No"};
}

}  // namespace csv

int ChannelsInUse(const ChannelTable& channels) {
    int count = 0;
    for (const ChannelRecord& channel : channels) count += channel[kFieldRx] != -1;
    return count;
}

ChannelExport ExportChannelCsv(const ChannelTable& channels, int wideNarrow, CsvLayout layout,
                               const ToneTable& tones, int language) {
    ChannelExport result;
    bool ascii = true;
    std::string body = CsvLine(layout == CsvLayout::Own ? csv::kOwnColumns : csv::kGenericColumns);
    for (std::size_t k = 0; k < channels.size(); ++k) {
        if (channels[k][kFieldRx] == -1) continue;
        const int number = static_cast<int>(k) + 1;
        body +=
            CsvLine(layout == CsvLayout::Own ? csv::OwnFields(number, channels[k], tones)
                                             : csv::GenericFields(number, channels[k], wideNarrow,
                                                                  tones, result.notes, language));
    }
    for (const char c : body) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    // Spreadsheets take a file without a byte order mark for the local code page.
    result.text = (ascii ? "" : "\xEF\xBB\xBF") + body;
    return result;
}

}  // namespace rvm46::storage
