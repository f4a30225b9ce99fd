#pragma once
// The JSON form of a codeplug used by the command-line companion: radio-wide list indexes (null =
// no selection) and exactly 16 channels (null = not in use).

#include <stdexcept>
#include <string>

#include "model/edit_state.h"
#include "model/image_codec.h"
#include "storage/codeplug_document.h"

namespace rvm46::cli {

// Bad input; the message says what and where.
class InputError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

using storage::CodeplugDocument;

// One channel in use as `decode` prints it: {"rx": 446.00625, "tx": null, ...}.
std::string ChannelToJson(const ChannelRecord& channel);

// One JSON object, pretty-printed, frequencies with five decimals.
std::string DecodedToJson(const DecodedImage& decoded);

// Parses a document and checks its shape, types and index ranges against the model count; throws
// InputError. The radio's rules (band, raster, tones) are the core's ValidateDocument.
CodeplugDocument ParseCodeplugJson(const std::string& text, int modelCount);

}  // namespace rvm46::cli
