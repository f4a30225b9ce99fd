#include "cli/codeplug_json.h"

#include <cmath>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <sstream>
#include <vector>

#include "model/arithmetic.h"
#include "model/tone_table.h"

namespace rvm46::cli {

namespace {

using nlohmann::json;

std::string OptionalInt(const std::optional<int>& value) {
    return value ? std::to_string(*value) : "null";
}

std::string Frequency(double mhz) {
    return mhz == -1 ? "null" : FormatFixed(mhz, 1, 5);
}

std::string ChannelJson(const std::array<double, 6>& f) {
    std::ostringstream out;
    const auto whole = [](double v) { return std::to_string(static_cast<long long>(v)); };
    out << "{\"rx\": " << Frequency(f[kFieldRx]) << ", \"tx\": " << Frequency(f[kFieldTx])
        << ", \"decode_tone\": " << whole(f[kFieldDecodeTone]) << ", \"encode_tone\": "
        << (f[kFieldEncodeTone] == -1 ? "null" : whole(f[kFieldEncodeTone]))
        << ", \"busy_lockout\": " << whole(f[kFieldBusyLockout])
        << ", \"shift\": " << whole(f[kFieldShift]) << "}";
    return out.str();
}

// A whole number in [low, high], or null when nullable; anything else is an InputError.
int IndexField(const json& object, const std::string& key, int low, int high, bool nullable,
               const std::string& where) {
    if (!object.contains(key)) throw InputError(where + ": \"" + key + "\" is missing");
    const json& value = object.at(key);
    if (value.is_null()) {
        if (nullable) return -1;
        throw InputError(where + ": \"" + key + "\" must not be null");
    }
    if (!value.is_number_integer()) {
        throw InputError(where + ": \"" + key + "\" must be a whole number");
    }
    const auto number = value.get<long long>();
    if (number < low || number > high) {
        throw InputError(where + ": \"" + key + "\" is " + std::to_string(number) + ", outside " +
                         std::to_string(low) + ".." + std::to_string(high));
    }
    return static_cast<int>(number);
}

double FrequencyField(const json& object, const std::string& key, bool nullable,
                      const std::string& where) {
    if (!object.contains(key)) throw InputError(where + ": \"" + key + "\" is missing");
    const json& value = object.at(key);
    if (value.is_null() && nullable) return -1;
    if (!value.is_number()) throw InputError(where + ": \"" + key + "\" must be a number");
    const double mhz = value.get<double>();
    // -1 marks "not set" inside the program; in a document it would silently drop the channel or
    // its transmit frequency.
    if (mhz == -1) {
        throw InputError(
            where + ": \"" + key + "\" is -1, which is not a frequency; use null for " +
            (nullable ? "no transmit frequency" : "a channel not in use (\"channel\": null)"));
    }
    return mhz;
}

void RejectUnknownKeys(const json& object, std::initializer_list<const char*> known,
                       const std::string& where) {
    for (const auto& item : object.items()) {
        bool found = false;
        for (const char* name : known) found = found || item.key() == name;
        if (!found) throw InputError(where + ": unknown key \"" + item.key() + "\"");
    }
}

ChannelRecord ParseChannel(const json& value, const std::string& where) {
    ChannelRecord channel;
    channel.fill(-1);
    if (value.is_null()) return channel;
    if (!value.is_object()) throw InputError(where + ": must be an object or null");
    RejectUnknownKeys(value, {"rx", "tx", "decode_tone", "encode_tone", "busy_lockout", "shift"},
                      where);
    channel[kFieldRx] = FrequencyField(value, "rx", false, where);
    channel[kFieldTx] = FrequencyField(value, "tx", true, where);
    channel[kFieldDecodeTone] = IndexField(value, "decode_tone", 0, kToneCount, false, where);
    channel[kFieldEncodeTone] = IndexField(value, "encode_tone", 0, kToneCount, true, where);
    channel[kFieldBusyLockout] = IndexField(value, "busy_lockout", 0, 1, false, where);
    channel[kFieldShift] = IndexField(value, "shift", 0, 1, false, where);
    return channel;
}

}  // namespace

std::string ChannelToJson(const ChannelRecord& channel) {
    std::array<double, 6> fields{};
    std::copy(channel.begin(), channel.begin() + 6, fields.begin());
    return ChannelJson(fields);
}

std::string DecodedToJson(const DecodedImage& decoded) {
    std::ostringstream out;
    out << "{\n"
        << "  \"model\": " << OptionalInt(decoded.model) << ",\n"
        << "  \"model_code\": " << static_cast<int>(decoded.modelCode) << ",\n"
        << "  \"beep_tone\": " << OptionalInt(decoded.beepTone) << ",\n"
        << "  \"battery_save\": " << OptionalInt(decoded.batterySave) << ",\n"
        << "  \"squelch\": " << OptionalInt(decoded.squelch) << ",\n"
        << "  \"monitor_key\": " << OptionalInt(decoded.monitorKey) << ",\n"
        << "  \"time_out_timer\": " << OptionalInt(decoded.timeOutTimer) << ",\n"
        << "  \"wide_narrow\": " << OptionalInt(decoded.wideNarrow) << ",\n"
        << "  \"channels\": [\n";
    for (std::size_t k = 0; k < decoded.channels.size(); ++k) {
        out << "    " << (decoded.channels[k] ? ChannelJson(*decoded.channels[k]) : "null")
            << (k + 1 < decoded.channels.size() ? ",\n" : "\n");
    }
    out << "  ]\n}\n";
    return out.str();
}

CodeplugDocument ParseCodeplugJson(const std::string& text, int modelCount) {
    // The JSON reader stops at a NUL byte as at the end of the text: refuse it instead of
    // ignoring what follows.
    if (const auto nul = text.find('\0'); nul != std::string::npos) {
        throw InputError("malformed JSON: a NUL byte at offset " + std::to_string(nul));
    }
    // Keys seen so far in each open object, to refuse a key given twice.
    std::vector<std::set<std::string>> openObjects;
    const json::parser_callback_t refuseDuplicates = [&](int /*depth*/, json::parse_event_t event,
                                                         json& parsed) {
        if (event == json::parse_event_t::object_start) {
            openObjects.emplace_back();
        } else if (event == json::parse_event_t::object_end && !openObjects.empty()) {
            openObjects.pop_back();
        } else if (event == json::parse_event_t::key && !openObjects.empty()) {
            const auto& key = parsed.get_ref<const std::string&>();
            if (!openObjects.back().insert(key).second) {
                throw InputError("malformed JSON: the key \"" + key + "\" is given twice");
            }
        }
        return true;
    };
    json root;
    try {
        root = json::parse(text, refuseDuplicates);
    } catch (const json::exception& e) {
        // Syntax errors, and numbers too large for a double (out of range, not a syntax error).
        throw InputError(std::string("malformed JSON: ") + e.what());
    }
    if (!root.is_object()) throw InputError("the document must be a JSON object");
    RejectUnknownKeys(root,
                      {"model", "model_code", "beep_tone", "battery_save", "squelch", "monitor_key",
                       "time_out_timer", "wide_narrow", "channels"},
                      "document");
    CodeplugDocument document;
    ListSelections& lists = document.lists;
    const std::string top = "document";
    lists.model = IndexField(root, "model", 0, modelCount - 1, true, top);
    lists.beepTone = IndexField(root, "beep_tone", 0, kOnOffItems - 1, true, top);
    lists.batterySave = IndexField(root, "battery_save", 0, kOnOffItems - 1, true, top);
    lists.squelch = IndexField(root, "squelch", 0, kSquelchItems - 1, true, top);
    lists.monitorKey = IndexField(root, "monitor_key", 0, kMonitorKeyItems - 1, true, top);
    lists.timeOutTimer = IndexField(root, "time_out_timer", 0, kTimeOutItems - 1, true, top);
    lists.wideNarrow = IndexField(root, "wide_narrow", 0, kWideNarrowItems - 1, true, top);

    if (!root.contains("channels") || !root.at("channels").is_array()) {
        throw InputError("document: \"channels\" must be an array of 16 entries");
    }
    const json& channels = root.at("channels");
    if (channels.size() != document.channels.size()) {
        throw InputError("document: \"channels\" has " + std::to_string(channels.size()) +
                         " entries, not 16");
    }
    for (std::size_t k = 0; k < channels.size(); ++k) {
        document.channels[k] = ParseChannel(channels[k], "channel " + std::to_string(k + 1));
    }
    return document;
}

}  // namespace rvm46::cli
