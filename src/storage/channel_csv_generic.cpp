// The generic multi-radio layout. A channel there is a receive frequency with a duplex rule for
// the transmit frequency, and a tone mode that says which of its tone columns apply in which
// direction; CTCSS tones are given in hertz and DCS codes as three octal digits with a polarity
// letter per direction (N normal, R reversed). Our tones are found by their display texts:
// tone indexes 1 to 39 are CTCSS tones written as numbers, DCS tones are written "D023N" or
// "D023I" (inverted).
#include <cmath>
#include <cstdio>

#include "editing/frequency.h"
#include "model/arithmetic.h"
#include "storage/channel_csv_rows.h"

namespace rvm46::storage::csv {

namespace {

struct Tone {
    enum Kind { None, Ctcss, Dcs } kind = None;
    double hz = 0;
    std::string code;     // three digits
    char polarity = 'N';  // N or R
};

// A DCS display text "D023N" / "D023I" / "D023R" / "023N".
std::optional<Tone> DcsOfText(const std::string& text) {
    std::string t = Lower(text);
    if (!t.empty() && t[0] == 'd') t.erase(0, 1);
    if (t.size() != 4 || t.find_first_not_of("01234567", 0) < 3) return std::nullopt;
    const char polarity = t[3];
    if (polarity != 'n' && polarity != 'i' && polarity != 'r') return std::nullopt;
    return Tone{Tone::Dcs, 0, t.substr(0, 3), polarity == 'n' ? 'N' : 'R'};
}

// What tone index `index` is in the terms of the layout; nullopt when they cannot say it.
std::optional<Tone> ToneOfIndex(int index, const ToneTable& tones) {
    if (index <= 0) return Tone{};
    const std::string& text = tones.gstrQTDQTList.at(static_cast<std::size_t>(index));
    if (index <= kLastQtTone) {
        if (const auto hz = StrictNumber(text)) return Tone{Tone::Ctcss, *hz, {}, 'N'};
        return std::nullopt;
    }
    return DcsOfText(text);
}

std::optional<int> IndexOfTone(const Tone& tone, const ToneTable& tones) {
    if (tone.kind == Tone::None) return 0;
    for (int i = 1; i <= kToneCount; ++i) {
        const auto candidate = ToneOfIndex(i, tones);
        if (!candidate || candidate->kind != tone.kind) continue;
        if (tone.kind == Tone::Ctcss && std::abs(candidate->hz - tone.hz) < 0.005) return i;
        if (tone.kind == Tone::Dcs && candidate->code == tone.code &&
            candidate->polarity == tone.polarity) {
            return i;
        }
    }
    return std::nullopt;
}

std::string Fixed(double value, int decimals) {
    return FormatFixed(value, 1, decimals);
}

// Units of 10 Hz: offsets are added and subtracted exactly.
long long Units(double mhz) {
    return RoundHalfEven(mhz * editing::kUnitsPerMHz);
}

}  // namespace

std::optional<RowChannel> ReadGenericRow(const Row& row, const ToneTable& tones,
                                         std::vector<Finding>& errors) {
    const std::size_t before = errors.size();
    const auto refuse = [&](const char* column, const std::string& why) {
        errors.push_back({row.Where(), column, row.Get(column), why});
    };
    RowChannel result;
    result.channel.fill(-1);
    ChannelRecord& channel = result.channel;
    result.location = WholeNumber(row.Get("Location"));
    if (!result.location) refuse("Location", row.Say("not a location number", "不是位置编号"));
    if (row.Get("Frequency").empty()) {
        return errors.size() == before ? std::optional(result) : std::nullopt;
    }
    const auto rx = editing::FrequencyValue(row.Get("Frequency"));
    if (!rx || std::abs(*rx) > 1e6) {
        refuse("Frequency", row.Say("not a frequency in MHz", "不是以 MHz 为单位的频率"));
        return std::nullopt;
    }
    channel[kFieldRx] = *rx;

    const std::string duplex = Lower(row.Get("Duplex"));
    const std::string offsetText = row.Get("Offset");
    auto offset = offsetText.empty() ? std::optional(0.0) : StrictNumber(offsetText);
    if (offset && std::abs(*offset) > 1e6) offset.reset();  // beyond any arithmetic on it
    if (!offset) refuse("Offset", row.Say("not a frequency in MHz", "不是以 MHz 为单位的频率"));
    const double off = offset.value_or(0);
    if (duplex.empty()) {
        channel[kFieldTx] = *rx;
    } else if (duplex == "+" || duplex == "-") {
        const long long sign = duplex == "+" ? 1 : -1;
        channel[kFieldTx] =
            static_cast<double>(Units(*rx) + sign * Units(off)) / editing::kUnitsPerMHz;
    } else if (duplex == "split") {
        channel[kFieldTx] = off;
    } else if (duplex != "off") {
        refuse("Duplex",
               row.Say("must be empty, +, -, split or off", "必须为空、+、-、split 或 off"));
    }

    // Reads the tone of one tone column; kind None leaves the direction without tone.
    const auto ctcss = [&](const char* column) -> std::optional<Tone> {
        const auto hz = StrictNumber(row.Get(column));
        if (!hz) {
            refuse(column, row.Say("not a tone frequency in Hz", "不是以 Hz 为单位的亚音频率"));
            return std::nullopt;
        }
        return Tone{Tone::Ctcss, *hz, {}, 'N'};
    };
    std::string polarity = row.Get("DtcsPolarity");
    if (polarity.empty()) polarity = "NN";
    polarity = Lower(polarity);
    if (polarity.size() != 2 || polarity.find_first_not_of("nr") != std::string::npos) {
        refuse("DtcsPolarity", row.Say("must be NN, NR, RN or RR", "必须为 NN、NR、RN 或 RR"));
        polarity = "nn";
    }
    const auto dcs = [&](const char* column, char pol) -> std::optional<Tone> {
        std::string code = row.Get(column);
        if (code.size() < 3 && !code.empty()) code.insert(0, 3 - code.size(), '0');
        if (code.size() != 3 || code.find_first_not_of("01234567") != std::string::npos) {
            refuse(column, row.Say("not a three-digit DCS code", "不是三位数字的数字亚音代码"));
            return std::nullopt;
        }
        return Tone{Tone::Dcs, 0, code, pol == 'n' ? 'N' : 'R'};
    };
    const char txPol = polarity[0];
    const char rxPol = polarity[1];
    std::optional<Tone> encode = Tone{};
    std::optional<Tone> decode = Tone{};
    const std::string mode = Lower(row.Get("Tone"));
    if (mode == "tone") {
        encode = ctcss("rToneFreq");
    } else if (mode == "tsql") {
        encode = decode = ctcss("cToneFreq");
    } else if (mode == "dtcs") {
        encode = dcs("DtcsCode", txPol);
        decode = dcs("DtcsCode", rxPol);
    } else if (mode == "cross") {
        const std::string cross = Lower(row.Get("CrossMode"));
        const auto arrow = cross.find("->");
        const std::string tx = arrow == std::string::npos ? "?" : cross.substr(0, arrow);
        const std::string rxSide = arrow == std::string::npos ? "?" : cross.substr(arrow + 2);
        const auto known = [](const std::string& side) {
            return side.empty() || side == "tone" || side == "dtcs";
        };
        if (!known(tx) || !known(rxSide)) {
            refuse("CrossMode", row.Say("not a cross mode of tones and DCS codes (e.g. Tone->DTCS)",
                                        "不是模拟亚音与数字亚音的交叉方式（例如 Tone->DTCS）"));
        } else {
            if (tx == "tone") encode = ctcss("rToneFreq");
            if (tx == "dtcs") encode = dcs("DtcsCode", txPol);
            if (rxSide == "tone") decode = ctcss("cToneFreq");
            if (rxSide == "dtcs") decode = dcs("RxDtcsCode", rxPol);
        }
    } else if (!mode.empty()) {
        refuse("Tone", row.Say("must be empty, Tone, TSQL, DTCS or Cross",
                               "必须为空、Tone、TSQL、DTCS 或 Cross"));
    }
    const auto index = [&](const std::optional<Tone>& tone, const char* column) -> double {
        if (!tone) return 0;
        const auto found = IndexOfTone(*tone, tones);
        if (!found) {
            const std::string text = tone->kind == Tone::Ctcss
                                         ? Fixed(tone->hz, 1) + " Hz"
                                         : "DCS " + tone->code + " " + tone->polarity;
            errors.push_back({row.Where(), column, text,
                              row.Say("not a tone of the tone list", "不是亚音列表中的亚音")});
            return 0;
        }
        return *found;
    };
    channel[kFieldDecodeTone] = index(decode, "Tone");
    channel[kFieldEncodeTone] = channel[kFieldTx] == -1 && (!encode || encode->kind == Tone::None)
                                    ? -1
                                    : index(encode, "Tone");
    channel[kFieldBusyLockout] = 0;
    channel[kFieldShift] = 0;

    const std::string fm = Lower(row.Get("Mode"));
    if (fm == "fm") {
        result.wideNarrow = 0;
    } else if (fm == "nfm") {
        result.wideNarrow = 1;
    } else if (!fm.empty()) {
        refuse("Mode", row.Say("the radio only has FM (wide) and NFM (narrow)",
                               "本机只有 FM（宽带）和 NFM（窄带）"));
    }
    return errors.size() == before ? std::optional(result) : std::nullopt;
}

std::vector<std::string> GenericFields(int number, const ChannelRecord& channel, int wideNarrow,
                                       const ToneTable& tones, std::vector<Finding>& notes,
                                       int language) {
    const double rx = channel[kFieldRx];
    const double tx = channel[kFieldTx];
    std::string duplex;
    double offset = 0;
    if (tx == -1) {
        duplex = "off";
    } else if (Units(tx) > Units(rx)) {
        duplex = "+";
        offset = static_cast<double>(Units(tx) - Units(rx)) / editing::kUnitsPerMHz;
    } else if (Units(tx) < Units(rx)) {
        duplex = "-";
        offset = static_cast<double>(Units(rx) - Units(tx)) / editing::kUnitsPerMHz;
    }

    const auto tone = [&](int field) {
        const int index = static_cast<int>(channel[static_cast<std::size_t>(field)]);
        const auto found = ToneOfIndex(index, tones);
        if (!found) {
            notes.push_back(
                {Say(language, "channel ", "信道 ") + std::to_string(number),
                 field == kFieldDecodeTone ? "Decode" : "Encode",
                 tones.gstrQTDQTList.at(static_cast<std::size_t>(index)),
                 Say(language, "the generic layout has no such tone; written without tone",
                     "通用格式没有这个亚音，已按无亚音导出")});
            return Tone{};
        }
        return *found;
    };
    const Tone enc = tone(kFieldEncodeTone);
    const Tone dec = tone(kFieldDecodeTone);
    // Neutral values for the tone columns a mode does not use.
    std::string mode;
    std::string rTone = "88.5";
    std::string cTone = "88.5";
    std::string dtcs = "023";
    std::string rxDtcs = "023";
    std::string cross = "Tone->Tone";
    const std::string polarity = std::string(1, enc.kind == Tone::Dcs ? enc.polarity : 'N') +
                                 (dec.kind == Tone::Dcs ? dec.polarity : 'N');
    const auto word = [](const Tone& t) {
        return t.kind == Tone::Ctcss ? "Tone" : t.kind == Tone::Dcs ? "DTCS" : "";
    };
    if (enc.kind == Tone::None && dec.kind == Tone::None) {
        mode = "";
    } else if (enc.kind == Tone::Ctcss && dec.kind == Tone::None) {
        mode = "Tone";
        rTone = Fixed(enc.hz, 1);
    } else if (enc.kind == Tone::Ctcss && dec.kind == Tone::Ctcss && enc.hz == dec.hz) {
        mode = "TSQL";
        rTone = cTone = Fixed(enc.hz, 1);
    } else if (enc.kind == Tone::Dcs && dec.kind == Tone::Dcs && enc.code == dec.code) {
        mode = "DTCS";
        dtcs = rxDtcs = enc.code;
    } else {
        mode = "Cross";
        cross = std::string(word(enc)) + "->" + word(dec);
        if (enc.kind == Tone::Ctcss) rTone = Fixed(enc.hz, 1);
        if (enc.kind == Tone::Dcs) dtcs = enc.code;
        if (dec.kind == Tone::Ctcss) cTone = Fixed(dec.hz, 1);
        if (dec.kind == Tone::Dcs) rxDtcs = dec.code;
    }
    return {std::to_string(number),
            "",
            Fixed(rx, 6),
            duplex,
            Fixed(offset, 6),
            mode,
            rTone,
            cTone,
            dtcs,
            polarity,
            rxDtcs,
            cross,
            wideNarrow == 1 ? "NFM" : "FM",
            "12.50",
            "",
            "",
            "",
            "",
            "",
            "",
            ""};
}

}  // namespace rvm46::storage::csv
