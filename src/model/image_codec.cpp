#include "model/image_codec.h"

#include "model/arithmetic.h"
#include "model/bcd.h"
#include "model/frequency_codec.h"
#include "model/run_time_error.h"

namespace rvm46 {

namespace {

using namespace layout;

// 0 or 1 exactly: the only values the flags lookup knows.
std::optional<int> Bit(double value) {
    if (value == 0.0) return 0;
    if (value == 1.0) return 1;
    return std::nullopt;
}

void EncodeModelBlock(CodeplugImage& image, int m, const ModelTable& models) {
    if (m < 0 || m >= kMaxModels) return;  // no model selected: the block stays blank
    // A value that is not a byte leaves its byte FFh, the model code included.
    for (std::size_t j = 0; j < kModelBlockSize; ++j) {
        const int value = models.gintModelData[10 * m + j];
        image[kModelBlockAt + j] =
            value >= 0 && value <= 255 ? static_cast<std::uint8_t>(value) : 0xFF;
    }
    image[kModelCodeAt] = ModelCode(models, m).value_or(0xFF);
}

void EncodeChannel(std::uint8_t* record, const ChannelRecord& channel, int wideNarrow,
                   const ToneTable& tones) {
    record[kRecInUseB] = kInUseMark;
    record[kRecInUseA] = kInUseMark;
    record[kRecFlags] = ChannelFlags(wideNarrow, channel[kFieldShift], channel[kFieldBusyLockout]);
    const auto toneIndex = [](double value) {
        // Tone fields are whole numbers; anything else is outside the table.
        if (value != static_cast<double>(static_cast<long long>(value)) || value < -1 ||
            value > 205)
            throw RunTimeError("Subscript out of range");
        return static_cast<int>(value);
    };
    const ToneBytes encode = EncodeTone(toneIndex(channel[kFieldEncodeTone]), tones);
    record[kRecEncodeToneHigh] = encode.high;
    record[kRecEncodeToneLow] = encode.low;
    const ToneBytes decode = EncodeTone(toneIndex(channel[kFieldDecodeTone]), tones);
    record[kRecDecodeToneHigh] = decode.high;
    record[kRecDecodeToneLow] = decode.low;
    if (channel[kFieldTx] == -1) {
        for (std::size_t i = 0; i < 4; ++i) record[kRecTxFrequency + i] = 0xFF;
    } else {
        const FrequencyBytes tx = EncodeFrequency(channel[kFieldTx]);
        for (std::size_t i = 0; i < 4; ++i) record[kRecTxFrequency + i] = tx[i];
    }
    const FrequencyBytes rx = EncodeFrequency(channel[kFieldRx]);
    for (std::size_t i = 0; i < 4; ++i) record[kRecRxFrequency + i] = rx[i];
}

}  // namespace

std::uint8_t ChannelFlags(int wideNarrow, double shift, double busyLockout) {
    const auto s = Bit(shift);
    const auto b = Bit(busyLockout);
    if ((wideNarrow != 0 && wideNarrow != 1) || !s || !b) return kEmptyFlags;
    return static_cast<std::uint8_t>(0xF8 | (wideNarrow << 2) | ((1 - *s) << 1) | (1 - *b));
}

void EncodeImage(CodeplugImage& image, const ChannelTable& channels, const ListSelections& lists,
                 const ModelTable& models, const ToneTable& tones) {
    image = BlankImage();
    for (std::size_t i = 1; i <= kChannelCount; ++i) {
        image[kChannelNumberTableAt - 1 + i] = static_cast<std::uint8_t>(i);
    }
    EncodeModelBlock(image, lists.model, models);

    const bool beepOn = lists.beepTone == 0 || lists.beepTone == -1;
    const bool batterySaveOn = lists.batterySave == 0 || lists.batterySave == -1;
    image[kOptionBits] = static_cast<std::uint8_t>(kOptionBase | (beepOn ? kOptionBeepOn : 0) |
                                                   (batterySaveOn ? kOptionBatterySaveOn : 0));
    image[kSquelch] = ToByte(lists.squelch == -1 ? 5 : lists.squelch);
    image[kMonitorKey] = ToByte(lists.monitorKey == -1 ? 3 : lists.monitorKey);
    image[kTimeOutTimer] = ToByte(lists.timeOutTimer <= 0 ? 0 : lists.timeOutTimer);

    for (std::size_t k = 0; k < kChannelCount; ++k)
        image[ChannelRecordAt(k) + kRecFlags] = kEmptyFlags;
    for (std::size_t k = 0; k < kChannelCount; ++k) {
        if (channels[k][kFieldRx] == -1) continue;
        EncodeChannel(&image[ChannelRecordAt(k)], channels[k], lists.wideNarrow, tones);
    }
}

DecodedImage DecodeImage(CodeplugImage& image, const ModelTable& models, const ToneTable& tones) {
    DecodedImage result;
    result.modelCode = image[kModelCodeAt];
    result.model = FindModelByCode(models, image[kModelCodeAt]);

    switch (image[kOptionBits]) {
        case 0xFC:
            result.beepTone = 1, result.batterySave = 1;
            break;
        case 0xFD:
            result.beepTone = 0, result.batterySave = 1;
            break;
        case 0xFE:
            result.beepTone = 1, result.batterySave = 0;
            break;
        case 0xFF:
            result.beepTone = 0, result.batterySave = 0;
            break;
        default:
            break;
    }
    const auto listIndex = [](std::uint8_t byte, int items) -> std::optional<int> {
        if (byte < items) return byte;
        return std::nullopt;
    };
    result.squelch = listIndex(image[kSquelch], kSquelchItems);
    result.monitorKey = listIndex(image[kMonitorKey], kMonitorKeyItems);
    result.timeOutTimer = listIndex(image[kTimeOutTimer], kTimeOutItems);

    for (std::size_t k = 0; k < kChannelCount; ++k) {
        std::uint8_t* record = &image[ChannelRecordAt(k)];
        if (record[kRecInUseB] == 0xFF || record[kRecInUseA] == 0xFF) continue;

        std::array<double, 6> fields{};
        const std::uint8_t flags = record[kRecFlags];
        if (flags >= 0xF8) {
            result.wideNarrow = (flags >> 2) & 1;
            fields[kFieldShift] = (flags & 0x02) ? 0 : 1;
            fields[kFieldBusyLockout] = (flags & 0x01) ? 0 : 1;
        }  // an unknown flags byte counts as shift and lockout off, and leaves wide/narrow alone

        for (int i = 11; i >= 0; --i) record[i] = BcdValue(record[i]);

        // A stored tone's high value is lowered in the image itself, as the program always did.
        const auto tone = [&](std::size_t high, std::size_t low) -> std::optional<double> {
            if (record[high] == kDecodedFF || record[low] == kDecodedFF) return std::nullopt;
            const std::uint8_t stored = record[high];
            record[high] = LoweredToneHigh(stored);
            return DecodeTone(stored, record[low], tones);
        };
        fields[kFieldEncodeTone] =
            tone(kRecEncodeToneHigh, kRecEncodeToneLow)
                .value_or(record[kRecTxFrequency + 3] == kDecodedFF ? -1 : 0);
        fields[kFieldDecodeTone] = tone(kRecDecodeToneHigh, kRecDecodeToneLow).value_or(0);
        const auto pairs = [record](std::size_t at) {
            return std::array<std::uint8_t, 4>{record[at], record[at + 1], record[at + 2],
                                               record[at + 3]};
        };
        fields[kFieldTx] = record[kRecTxFrequency + 3] == kDecodedFF
                               ? -1
                               : DecodeFrequency(pairs(kRecTxFrequency));
        fields[kFieldRx] = DecodeFrequency(pairs(kRecRxFrequency));
        result.channels[k] = fields;
    }
    return result;
}

}  // namespace rvm46
