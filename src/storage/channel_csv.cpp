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

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

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
    const auto refuse = [&](const char* column, const std::string& value, const char* why) {
        errors.push_back({row.Where(), column, value, why});
    };
    RowChannel result;
    result.channel.fill(-1);
    ChannelRecord& channel = result.channel;
    result.location = WholeNumber(row.Get("Channel"));
    if (!result.location) refuse("Channel", row.Get("Channel"), "not a channel number");

    const auto frequency = [&](const char* column, int field) {
        const std::string text = row.Get(column);
        if (text.empty()) return;
        const auto value = editing::FrequencyValue(text);
        if (!value) return refuse(column, text, "not a frequency in MHz");
        channel[static_cast<std::size_t>(field)] = *value;
    };
    frequency("RX MHz", kFieldRx);
    frequency("TX MHz", kFieldTx);
    if (row.Get("RX MHz").empty()) {
        if (!row.Get("TX MHz").empty()) refuse("RX MHz", "", "a channel needs a receive frequency");
        return errors.size() == before ? std::optional(result) : std::nullopt;
    }

    const auto tone = [&](const char* column, int field, double empty) {
        const std::string text = row.Get(column);
        if (text.empty()) {
            channel[static_cast<std::size_t>(field)] = empty;
            return;
        }
        const auto index = ToneFromText(text, tones);
        if (!index) return refuse(column, text, "not a tone of the tone list");
        channel[static_cast<std::size_t>(field)] = *index;
    };
    tone("Decode", kFieldDecodeTone, 0);
    tone("Encode", kFieldEncodeTone, channel[kFieldTx] == -1 ? -1 : 0);
    for (const auto& [column, field] :
         {std::pair{"Busy Lockout", kFieldBusyLockout}, std::pair{"Shift", kFieldShift}}) {
        const auto value = YesNo(row.Get(column));
        if (!value) {
            refuse(column, row.Get(column), "must be Yes or No");
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

namespace {

using csv::Lower;

// The layout of a header row, or nullopt.
std::optional<CsvLayout> LayoutOf(const std::map<std::string, std::size_t>& columns) {
    if (columns.contains("location") && columns.contains("frequency")) return CsvLayout::Generic;
    if (columns.contains("channel") && columns.contains("rx mhz")) return CsvLayout::Own;
    return std::nullopt;
}

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names) text += (text.empty() ? "" : ",") + name;
    return text;
}

bool EmptyRow(const std::vector<std::string>& fields) {
    for (const auto& field : fields) {
        if (field.find_first_not_of(" \t") != std::string::npos) return false;
    }
    return true;
}

// Checks the frequencies and tones of a row's channel, snapping the frequencies.
void CheckChannel(ChannelRecord& channel, const csv::Row& row, CsvLayout layout,
                  const ChannelRules& rules, ChannelImport& result) {
    const bool own = layout == CsvLayout::Own;
    const auto frequency = [&](int field, const char* column) {
        double& mhz = channel[static_cast<std::size_t>(field)];
        if (mhz == -1) return;
        const auto checked = rules.CheckFrequency(mhz);
        const std::string written = editing::ShortestDecimal(mhz);
        if (!checked.mhz) {
            result.errors.push_back({row.Where(), column, written, checked.why});
            return;
        }
        if (checked.snapped) {
            result.notes.push_back({row.Where(), column, written,
                                    "snapped to " + editing::FormatFrequency(*checked.mhz)});
        }
        mhz = *checked.mhz;
    };
    frequency(kFieldRx, own ? "RX MHz" : "Frequency");
    frequency(kFieldTx, own ? "TX MHz" : "Duplex/Offset");
    const auto tone = [&](int field, bool encode, const char* column) {
        const double index = channel[static_cast<std::size_t>(field)];
        const std::string why = rules.CheckTone(index, encode);
        if (!why.empty()) {
            result.errors.push_back({row.Where(), column,
                                     rules.Tones().gstrQTDQTList.at(static_cast<std::size_t>(
                                         std::clamp(index, 0.0, double(kToneCount)))),
                                     why});
        }
    };
    tone(kFieldDecodeTone, false, own ? "Decode" : "Tone");
    tone(kFieldEncodeTone, true, own ? "Encode" : "Tone");
}

}  // namespace

ChannelImport ImportChannelCsv(std::string_view bytes, const ModelTable& models, int model,
                               const ToneTable& tones) {
    ChannelImport result;
    std::string reason;
    const auto table = ParseCsv(bytes, &reason);
    if (!table) {
        result.errors.push_back({"file", "", "", reason});
        return result;
    }
    std::map<std::string, std::size_t> columns;
    for (std::size_t i = 0; i < table->rows[0].size(); ++i) {
        std::string name = table->rows[0][i];
        const auto first = name.find_first_not_of(" \t");
        name = first == std::string::npos
                   ? ""
                   : name.substr(first, name.find_last_not_of(" \t") - first + 1);
        if (!name.empty()) columns.emplace(Lower(name), i);
    }
    const auto layout = LayoutOf(columns);
    if (!layout) {
        result.errors.push_back({"row 1", "", Joined(table->rows[0]),
                                 "not the header of a channel list; expected " +
                                     Joined(csv::kOwnColumns) + " or " +
                                     Joined(csv::kGenericColumns)});
        return result;
    }
    result.layout = *layout;
    if (*layout == CsvLayout::Own) {
        std::vector<std::string> missing;
        for (const auto& name : csv::kOwnColumns) {
            if (!columns.contains(Lower(name))) missing.push_back(name);
        }
        if (!missing.empty()) {
            result.errors.push_back(
                {"row 1", "", Joined(table->rows[0]), "missing column(s) " + Joined(missing)});
            return result;
        }
    }

    struct Read {
        csv::RowChannel row;
        int number;
    };
    std::vector<Read> rows;
    for (std::size_t r = 1; r < table->rows.size(); ++r) {
        if (EmptyRow(table->rows[r])) continue;
        const csv::Row row(columns, table->rows[r], static_cast<int>(r) + 1);
        const auto read = *layout == CsvLayout::Own
                              ? csv::ReadOwnRow(row, tones, result.errors)
                              : csv::ReadGenericRow(row, tones, result.errors);
        if (read) rows.push_back({*read, row.Number()});
    }

    // Files that count their locations from 0 hold channel 1 in location 0.
    bool fromZero = false;
    for (const auto& read : rows) fromZero = fromZero || read.row.location == 0;
    const ChannelRules rules(models, model, tones);
    std::map<long, int> taken;                // channel number -> row that gave it
    std::optional<std::pair<int, int>> mode;  // wide/narrow and the row that gave it
    for (auto& read : rows) {
        const csv::Row row(columns, table->rows[static_cast<std::size_t>(read.number) - 1],
                           read.number);
        const long number = *read.row.location + (fromZero ? 1 : 0);
        const char* column = *layout == CsvLayout::Own ? "Channel" : "Location";
        if (number < 1 || number > 16) {
            result.notes.push_back({row.Where(), column, std::to_string(*read.row.location),
                                    "outside the radio's channels 1 to 16; row left out"});
            continue;
        }
        if (const auto earlier = taken.find(number); earlier != taken.end()) {
            result.errors.push_back({row.Where(), column, std::to_string(*read.row.location),
                                     "channel " + std::to_string(number) +
                                         " is already given in row " +
                                         std::to_string(earlier->second)});
            continue;
        }
        taken.emplace(number, read.number);
        if (read.row.channel[kFieldRx] == -1) continue;  // listed, not in use
        CheckChannel(read.row.channel, row, *layout, rules, result);
        result.channels[static_cast<std::size_t>(number - 1)] = read.row.channel;
        if (!read.row.wideNarrow) continue;
        if (!mode) {
            mode = {*read.row.wideNarrow, read.number};
        } else if (mode->first != *read.row.wideNarrow) {
            result.notes.push_back({row.Where(), "Mode", row.Get("Mode"),
                                    "the radio has one wide/narrow setting for every channel; "
                                    "the mode of row " +
                                        std::to_string(mode->second) + " is used"});
        }
    }
    if (mode) result.wideNarrow = mode->first;
    // Row by row, as the user goes through the file.
    const auto byRow = [](std::vector<Finding>& findings) {
        const auto row = [](const Finding& f) {
            return f.where.starts_with("row ") ? std::stoi(f.where.substr(4)) : 0;
        };
        std::stable_sort(findings.begin(), findings.end(),
                         [&](const Finding& a, const Finding& b) { return row(a) < row(b); });
    };
    byRow(result.errors);
    byRow(result.notes);
    return result;
}

ChannelExport ExportChannelCsv(const ChannelTable& channels, int wideNarrow, CsvLayout layout,
                               const ToneTable& tones) {
    ChannelExport result;
    bool ascii = true;
    std::string body = CsvLine(layout == CsvLayout::Own ? csv::kOwnColumns : csv::kGenericColumns);
    for (std::size_t k = 0; k < channels.size(); ++k) {
        if (channels[k][kFieldRx] == -1) continue;
        const int number = static_cast<int>(k) + 1;
        body +=
            CsvLine(layout == CsvLayout::Own
                        ? csv::OwnFields(number, channels[k], tones)
                        : csv::GenericFields(number, channels[k], wideNarrow, tones, result.notes));
    }
    for (const char c : body) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    // Spreadsheets take a file without a byte order mark for the local code page.
    result.text = (ascii ? "" : "\xEF\xBB\xBF") + body;
    return result;
}

}  // namespace rvm46::storage
