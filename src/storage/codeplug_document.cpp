#include "storage/codeplug_document.h"

#include <cmath>

#include "model/bcd.h"
#include "model/image_codec.h"
#include "model/run_time_error.h"
#include "storage/wording.h"

namespace rvm46::storage {

namespace {

std::string Number(double value) {
    if (std::isfinite(value) && std::abs(value) < 1e15 && value == std::floor(value)) {
        return std::to_string(static_cast<long long>(value));
    }
    return editing::ShortestDecimal(value);
}

}  // namespace

std::string Describe(const Finding& finding, int language) {
    const std::string colon = Say(language, ": ", "：");
    if (finding.where.empty()) return finding.why;
    if (finding.field.empty() && finding.value.empty()) return finding.where + colon + finding.why;
    return finding.where + Say(language, ", ", "，") +
           (finding.field.empty() ? "" : finding.field + " ") + "\"" + finding.value + "\"" +
           colon + finding.why;
}

ChannelRules::ChannelRules(const ModelTable& models, int model, const ToneTable& tones,
                           int language)
    : tones_(tones), language_(language) {
    if (model >= 0 && model < models.gintModelCount) {
        band_ = editing::ModelBand(models, model);
        bandLabel_ = models.gstrFreRange.at(static_cast<std::size_t>(model));
    }
}

ChannelRules::Frequency ChannelRules::CheckFrequency(double mhz) const {
    Frequency result;
    const std::string range = band_ ? editing::RangeMessage(language_, true, *band_, bandLabel_)
                                    : Say(language_, "Out of range!The radio stores 100-999MHz",
                                          "频率超出范围！可存储的范围为 100-999MHz");
    if (!std::isfinite(mhz) || editing::Implausible(mhz)) {
        result.why = range;
        return result;
    }
    // Read back from its "000.00000" text, as the grid does, so the value is the one written.
    const double snapped =
        std::stod(editing::FormatFrequency(editing::SnapToRaster(mhz, band_ && band_->is446)));
    if (band_ && !editing::InBand(*band_, snapped)) {
        result.why = range;
        return result;
    }
    result.mhz = snapped;
    result.snapped = std::abs(snapped - mhz) > 1e-7;  // more than rounding noise: 0.1 Hz
    return result;
}

std::string ChannelRules::CheckTone(double index, bool encode) const {
    if (encode && index == -1) return "";
    if (!std::isfinite(index) || index != std::floor(index) || index < 0 || index > kToneCount) {
        return Say(language_, "not a tone of the tone list (0 to ", "不是亚音列表中的亚音（0 至 ") +
               std::to_string(kToneCount) + Say(language_, ")", "）");
    }
    // The tone must come back from the radio as itself: its code must fit the two stored bytes.
    const int tone = static_cast<int>(index);
    std::int16_t readBack = -1;
    RunToErrorExit([&] {
        const ToneBytes bytes = EncodeTone(tone, tones_);
        readBack = tone == 0 ? 0 : DecodeTone(BcdValue(bytes.high), BcdValue(bytes.low), tones_);
    });
    if (readBack != tone) {
        const std::string code = tones_.gstrQTDQTCode.at(static_cast<std::size_t>(index));
        return language_ == 1 ? "亚音 " + Number(index) + " 无法存储：它在亚音列表中的代码（\"" +
                                    code + "\"）读回后不一致"
                              : "tone " + Number(index) + " cannot be stored: its code in the " +
                                    "tone list (\"" + code + "\") does not read back";
    }
    return "";
}

Validation ValidateDocument(CodeplugDocument& document, const ModelTable& models,
                            const ToneTable& tones) {
    Validation result;
    ListSelections& lists = document.lists;
    const auto list = [&](const char* key, int value, int items) {
        if (value < -1 || value >= items) {
            result.errors.push_back({"document", key, std::to_string(value),
                                     "outside 0.." + std::to_string(items - 1)});
        }
    };
    list("model", lists.model, models.gintModelCount);
    list("beep_tone", lists.beepTone, kOnOffItems);
    list("battery_save", lists.batterySave, kOnOffItems);
    list("squelch", lists.squelch, kSquelchItems);
    list("monitor_key", lists.monitorKey, kMonitorKeyItems);
    list("time_out_timer", lists.timeOutTimer, kTimeOutItems);
    list("wide_narrow", lists.wideNarrow, kWideNarrowItems);
    if (!result.errors.empty()) return result;

    const ChannelRules rules(models, lists.model, tones);
    for (std::size_t k = 0; k < document.channels.size(); ++k) {
        ChannelRecord& channel = document.channels[k];
        if (channel[kFieldRx] == -1) continue;
        const std::string where = "channel " + std::to_string(k + 1);
        const auto frequency = [&](const char* key, int field) {
            double& mhz = channel[static_cast<std::size_t>(field)];
            if (field == kFieldTx && mhz == -1) return;
            const auto checked = rules.CheckFrequency(mhz);
            if (!checked.mhz) {
                result.errors.push_back({where, key, Number(mhz), checked.why});
                return;
            }
            if (checked.snapped) {
                result.notes.push_back(
                    {where, key, Number(mhz),
                     "snapped to the raster: " + editing::FormatFrequency(*checked.mhz)});
            }
            mhz = *checked.mhz;
        };
        frequency("rx", kFieldRx);
        frequency("tx", kFieldTx);
        const auto tone = [&](const char* key, int field, bool encode) {
            const double index = channel[static_cast<std::size_t>(field)];
            const std::string why = rules.CheckTone(index, encode);
            if (!why.empty()) result.errors.push_back({where, key, Number(index), why});
        };
        tone("decode_tone", kFieldDecodeTone, false);
        tone("encode_tone", kFieldEncodeTone, true);
        for (const auto& [key, field] :
             {std::pair{"busy_lockout", kFieldBusyLockout}, std::pair{"shift", kFieldShift}}) {
            const double value = channel[static_cast<std::size_t>(field)];
            if (value != 0 && value != 1) {
                result.errors.push_back({where, key, Number(value), "must be 0 or 1"});
            }
        }
    }
    return result;
}

CodeplugDocument DocumentFromImage(const CodeplugImage& image, const ModelTable& models,
                                   const ToneTable& tones) {
    CodeplugImage copy = image;  // decoding rewrites the channel bytes in place
    const DecodedImage decoded = DecodeImage(copy, models, tones);
    CodeplugDocument document;
    ListSelections& lists = document.lists;
    lists.model = decoded.model.value_or(-1);
    lists.beepTone = decoded.beepTone.value_or(-1);
    lists.batterySave = decoded.batterySave.value_or(-1);
    lists.squelch = decoded.squelch.value_or(-1);
    lists.monitorKey = decoded.monitorKey.value_or(-1);
    lists.timeOutTimer = decoded.timeOutTimer.value_or(-1);
    lists.wideNarrow = decoded.wideNarrow.value_or(-1);
    for (std::size_t k = 0; k < decoded.channels.size(); ++k) {
        if (!decoded.channels[k]) continue;
        for (std::size_t f = 0; f < decoded.channels[k]->size(); ++f) {
            document.channels[k][f] = (*decoded.channels[k])[f];
        }
    }
    return document;
}

std::optional<CodeplugImage> EncodeDocument(const CodeplugDocument& document,
                                            const ModelTable& models, const ToneTable& tones,
                                            std::string* error) {
    CodeplugImage image{};
    // A checked document cannot make encoding fail; should it, nothing half-encoded comes out.
    if (!RunToErrorExit(
            [&] { EncodeImage(image, document.channels, document.lists, models, tones); })) {
        if (error) *error = "the document cannot be encoded";
        return std::nullopt;
    }
    return image;
}

}  // namespace rvm46::storage
