#pragma once
// Conversion between the edit state and the codeplug image: encoding rebuilds the whole image,
// decoding turns an image from the radio or a file back into plain values for the window to apply.

#include <array>
#include <cstdint>
#include <optional>

#include "model/codeplug_image.h"
#include "model/edit_state.h"
#include "model/model_table.h"
#include "model/tone_table.h"

namespace rvm46 {

// Rebuilds the image from the edit state, starting from the blank image. With no model selected
// only the model block is left blank; option bytes and channels are still encoded, so a codeplug
// is never reduced to a blank one by a missing selection. A model-block value or model code that
// does not fit a byte leaves that one byte FFh. A run-time error (a tone index outside the table)
// ends encoding at the point reached.
void EncodeImage(CodeplugImage& image, const ChannelTable& channels, const ListSelections& lists,
                 const ModelTable& models, const ToneTable& tones);

// The flags byte of a channel record for wide/narrow w, shift and busy lockout; FBh for any
// combination outside 0/1.
std::uint8_t ChannelFlags(int wideNarrow, double shift, double busyLockout);

// What an image says, in the order the window applies it. nullopt in a radio-wide field means the
// stored byte is not a valid index of its list: that list is left as it was.
struct DecodedImage {
    std::optional<int> model;  // first model whose code equals the model byte
    std::uint8_t modelCode = 0xFF;
    std::optional<int> beepTone;
    std::optional<int> batterySave;
    std::optional<int> squelch;
    std::optional<int> monitorKey;
    std::optional<int> timeOutTimer;
    std::optional<int> wideNarrow;  // from the last present channel with a valid flags byte
    // Fields 0..5 of each present channel; nullopt = channel not present (all fields -1).
    std::array<std::optional<std::array<double, 6>>, 16> channels;
};

// Decodes the image. Like the program has always done, the twelve frequency and tone bytes of
// every present channel record are turned into their decimal values in place, so the image is no
// longer in wire form until the next encoding.
DecodedImage DecodeImage(CodeplugImage& image, const ModelTable& models, const ToneTable& tones);

}  // namespace rvm46
