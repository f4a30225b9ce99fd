#pragma once
// What differs between two codeplugs: first as a list of differences (where, which field, both
// values) that the comparison window and the command line's JSON word each in their own way, then
// in the plain English lines of `rvm46 diff`: channel by channel, setting by setting, then the
// addresses of any other differing bytes.

#include <string>
#include <vector>

#include "model/codeplug_image.h"
#include "model/edit_state.h"
#include "model/model_table.h"
#include "model/tone_table.h"

namespace rvm46::storage {

// One differing value. Fields carry the keys `rvm46 decode` prints: per channel "rx", "tx",
// "decode_tone", "encode_tone", "busy_lockout", "shift", or "channel" when the channel is in use on
// one side only; radio-wide "model" (or "model_code" when both sides name no model or the same
// one), "beep_tone", "battery_save", "squelch", "monitor_key", "time_out_timer", "wide_narrow".
// Any other differing byte is "header byte N" or "address XXXh".
struct Difference {
    int channel = 0;    // 1..16; 0 for the radio-wide settings and other bytes
    std::string field;  // as above
    double a = -1;      // channel field value, list index (-1: no setting), or byte value
    double b = -1;
    int byteA = 0;  // the byte a radio-wide value was read from (model: the model code)
    int byteB = 0;
    bool otherByte = false;                // a byte no field explains
    ChannelRecord channelA{}, channelB{};  // field "channel": both sides (rx -1: not in use)
};

// Channels first (by number, fields in the grid's order), then the radio-wide settings, then
// other bytes; empty when the images are equal.
std::vector<Difference> CompareImages(const CodeplugImage& a, const CodeplugImage& b,
                                      const ModelTable& models, const ToneTable& tones);

// One line per differing setting, channel or other byte, in that order; empty when equal.
std::vector<std::string> DiffImages(const CodeplugImage& a, const CodeplugImage& b,
                                    const ModelTable& models, const ToneTable& tones);

}  // namespace rvm46::storage
