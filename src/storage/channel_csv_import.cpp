// Reading a channel list: the header row, every data row read and checked on its own, then the
// rows placed in channels, by their channel numbers or in file order. A refused row refuses the
// list, or is left out with its reason when the caller asks for that.
#include <algorithm>
#include <map>

#include "editing/frequency.h"
#include "storage/channel_csv.h"
#include "storage/channel_csv_rows.h"
#include "storage/csv_text.h"

namespace rvm46::storage {

namespace {

using csv::Lower;

constexpr int kChannels = 16;

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

// One data row on its way to a channel.
struct Candidate {
    int number = 0;                       // row number, the header being row 1
    std::optional<csv::RowChannel> read;  // nullopt: a value could not be read
    std::vector<Finding> errors;
    std::vector<Finding> notes;
    std::optional<int> channel;  // where it goes
};

// Checks the frequencies and tones of a row's channel, snapping the frequencies (or, `exact`,
// refusing a frequency off the raster). A transmit frequency is checked only when the receive
// frequency passed: a list for another band reports each row once.
void CheckChannel(ChannelRecord& channel, const csv::Row& row, CsvLayout layout,
                  const ChannelRules& rules, bool exact, Candidate& out) {
    const bool own = layout == CsvLayout::Own;
    const auto frequency = [&](int field, const char* column) {
        double& mhz = channel[static_cast<std::size_t>(field)];
        if (mhz == -1) return true;
        const auto checked = rules.CheckFrequency(mhz);
        const std::string written = editing::ShortestDecimal(mhz);
        if (!checked.mhz) {
            out.errors.push_back({row.Where(), column, written, checked.why});
            return false;
        }
        if (checked.snapped) {
            const std::string to = editing::FormatFrequency(*checked.mhz);
            if (exact) {
                out.errors.push_back({row.Where(), column, written,
                                      row.Say("not a channel of this model (the nearest is ",
                                              "不是本机型的信道频率（最接近的是 ") +
                                          to + row.Say(")", "）")});
                return false;
            }
            out.notes.push_back(
                {row.Where(), column, written, row.Say("snapped to ", "已调整为 ") + to});
        }
        mhz = *checked.mhz;
        return true;
    };
    if (!frequency(kFieldRx, own ? "RX MHz" : "Frequency")) return;
    if (!frequency(kFieldTx, own ? "TX MHz" : "Duplex/Offset")) return;
    const auto tone = [&](int field, bool encode, const char* column) {
        const double index = channel[static_cast<std::size_t>(field)];
        const std::string why = rules.CheckTone(index, encode);
        if (!why.empty()) {
            out.errors.push_back({row.Where(), column,
                                  rules.Tones().gstrQTDQTList.at(static_cast<std::size_t>(
                                      std::clamp(index, 0.0, double(kToneCount)))),
                                  why});
        }
    };
    tone(kFieldDecodeTone, false, own ? "Decode" : "Tone");
    tone(kFieldEncodeTone, true, own ? "Encode" : "Tone");
}

// The same finding twice in a row (a DCS code read for both directions) is said once.
void Unique(std::vector<Finding>& findings) {
    std::vector<Finding> kept;
    for (Finding& f : findings) {
        const bool seen = std::any_of(kept.begin(), kept.end(), [&](const Finding& k) {
            return k.field == f.field && k.value == f.value && k.why == f.why;
        });
        if (!seen) kept.push_back(std::move(f));
    }
    findings = std::move(kept);
}

// The header's columns by lower-case name; a column given twice is refused.
std::map<std::string, std::size_t> HeaderColumns(const std::vector<std::string>& header,
                                                 int language, std::vector<Finding>& errors) {
    std::map<std::string, std::size_t> columns;
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::string name = csv::Trim(header[i]);
        if (name.empty()) continue;
        const auto [found, added] = columns.emplace(Lower(name), i);
        if (added) continue;
        const std::string first = std::to_string(found->second + 1);
        const std::string second = std::to_string(i + 1);
        errors.push_back(
            {RowName(language, 1), name, "",
             Say(language, "the column is there twice (columns ", "该列出现了两次（第 ") + first +
                 Say(language, " and ", " 列和第 ") + second +
                 Say(language, "); keep one of them", " 列），请只保留一列")});
    }
    return columns;
}

}  // namespace

ChannelImport ImportChannelCsv(std::string_view bytes, const ModelTable& models, int model,
                               const ToneTable& tones, const ImportOptions& options) {
    ChannelImport result;
    const int language = options.language;
    const auto say = [&](std::string_view english, std::string_view chinese) {
        return Say(language, english, chinese);
    };
    std::string reason;
    const auto table = ParseCsv(bytes, &reason, language);
    if (!table) {
        result.errors.push_back({say("file", "文件"), "", "", reason});
        return result;
    }
    const auto columns = HeaderColumns(table->rows[0], language, result.errors);
    if (!result.errors.empty()) return result;
    const auto layout = LayoutOf(columns);
    if (!layout) {
        result.errors.push_back(
            {RowName(language, 1), "", Joined(table->rows[0]),
             say("not the header of a channel list; expected ", "不是信道表的标题行；应为 ") +
                 Joined(csv::kOwnColumns) + say(" or ", " 或 ") + Joined(csv::kGenericColumns)});
        return result;
    }
    result.layout = *layout;
    const bool own = *layout == CsvLayout::Own;
    if (own) {
        std::vector<std::string> missing;
        for (const auto& name : csv::kOwnColumns) {
            if (!columns.contains(Lower(name))) missing.push_back(name);
        }
        if (!missing.empty()) {
            result.errors.push_back({RowName(language, 1), "", Joined(table->rows[0]),
                                     say("missing column(s) ", "缺少列 ") + Joined(missing)});
            return result;
        }
    }

    // Every row read and checked on its own.
    const ChannelRules rules(models, model, tones, language);
    std::vector<Candidate> rows;
    for (std::size_t r = 1; r < table->rows.size(); ++r) {
        if (EmptyRow(table->rows[r])) continue;
        Candidate c;
        c.number = static_cast<int>(r) + 1;
        const csv::Row row(columns, table->rows[r], c.number, language);
        c.read =
            own ? csv::ReadOwnRow(row, tones, c.errors) : csv::ReadGenericRow(row, tones, c.errors);
        if (c.read && c.read->channel[kFieldRx] != -1) {
            CheckChannel(c.read->channel, row, *layout, rules, options.exact, c);
        }
        Unique(c.errors);
        rows.push_back(std::move(c));
    }

    // Placing the rows. Refused rows take no channel.
    const char* numberColumn = own ? "Channel" : "Location";
    std::vector<const Candidate*> outside;
    int beyond = 0;
    if (options.renumberFrom) {
        int next = *options.renumberFrom;
        for (Candidate& c : rows) {
            if (!c.errors.empty() || c.read->channel[kFieldRx] == -1) continue;
            if (next > kChannels) {
                ++beyond;
            } else {
                c.channel = next++;
            }
        }
    } else {
        // Files that count their locations from 0 hold channel 1 in location 0.
        bool fromZero = false;
        for (const Candidate& c : rows) fromZero = fromZero || (c.read && c.read->location == 0);
        std::map<long, int> taken;  // channel number -> row that gave it
        for (Candidate& c : rows) {
            if (!c.read) continue;
            const long number = *c.read->location + (fromZero ? 1 : 0);
            if (number < 1 || number > kChannels) {
                c.errors.clear();  // left out whatever else it holds
                c.notes.clear();
                outside.push_back(&c);
                continue;
            }
            if (!c.errors.empty()) continue;
            if (const auto earlier = taken.find(number); earlier != taken.end()) {
                const csv::Row row(columns, table->rows[static_cast<std::size_t>(c.number) - 1],
                                   c.number, language);
                c.errors.push_back({row.Where(), numberColumn, row.Get(numberColumn),
                                    say("channel ", "信道 ") + std::to_string(number) +
                                        say(" is already given in row ", " 已在第 ") +
                                        std::to_string(earlier->second) + say("", " 行给出")});
                continue;
            }
            taken.emplace(number, c.number);
            c.channel = static_cast<int>(number);
        }
    }

    std::optional<std::pair<int, int>> mode;  // wide/narrow and the row that gave it
    for (Candidate& c : rows) {
        if (!c.errors.empty()) {
            for (Finding& e : c.errors) {
                if (options.skipInvalid) e.why += say("; row left out", "；该行未导入");
            }
            auto& into = options.skipInvalid ? result.notes : result.errors;
            into.insert(into.end(), c.errors.begin(), c.errors.end());
            continue;
        }
        if (!c.channel) continue;
        ++result.placedRows;
        result.notes.insert(result.notes.end(), c.notes.begin(), c.notes.end());
        const csv::RowChannel& read = *c.read;
        if (read.channel[kFieldRx] == -1) continue;  // listed, not in use
        result.channels[static_cast<std::size_t>(*c.channel - 1)] = read.channel;
        if (!read.wideNarrow) continue;
        if (!mode) {
            mode = {*read.wideNarrow, c.number};
        } else if (mode->first != *read.wideNarrow) {
            const csv::Row row(columns, table->rows[static_cast<std::size_t>(c.number) - 1],
                               c.number, language);
            result.notes.push_back(
                {row.Where(), "Mode", row.Get("Mode"),
                 say("the radio has one wide/narrow setting for every channel; the mode of row ",
                     "本机所有信道共用一个宽窄带设置；使用第 ") +
                     std::to_string(mode->second) + say(" is used", " 行的模式")});
        }
    }
    if (mode) result.wideNarrow = mode->first;

    result.outsideRows = static_cast<int>(outside.size());
    if (outside.size() == 1) {
        const Candidate& c = *outside[0];
        result.notes.push_back({RowName(language, c.number), numberColumn,
                                std::to_string(*c.read->location),
                                say("outside the radio's channels 1 to 16; row left out",
                                    "不在本机的信道 1 至 16 之内；该行未导入")});
    } else if (outside.size() > 1) {
        result.notes.push_back({"", "", "",
                                std::to_string(outside.size()) +
                                    say(" rows left out: their channel numbers (rows ",
                                        " 行未导入：它们的信道号（第 ") +
                                    std::to_string(outside.front()->number) + "-" +
                                    std::to_string(outside.back()->number) +
                                    say(") are outside the radio's channels 1 to 16",
                                        " 行）不在本机的信道 1 至 16 之内")});
    }
    if (beyond > 0) {
        result.notes.push_back(
            {"", "", "",
             std::to_string(beyond) + say(" rows left out: the radio has no channel after 16",
                                          " 行未导入：本机在信道 16 之后没有信道")});
    }
    // A list with rows that gives no channel is a failure, never an empty codeplug.
    const bool allOutside = !rows.empty() && outside.size() == rows.size();
    if (!rows.empty() && result.placedRows == 0 && (allOutside || result.errors.empty())) {
        result.errors.push_back(
            {"", "", "",
             !allOutside
                 ? say("no row of the list can be imported", "信道表中没有可以导入的行")
                 : say("no row has a channel number from 1 to 16; import with renumbering to "
                       "place the rows in order",
                       "没有一行的信道号在 1 至 16 之内；请选择重新编号导入，按顺序放入信道")});
    }
    return result;
}

}  // namespace rvm46::storage
