// Any text as the command line's codeplug document: refused with a message, or encoded into an
// image whose decoding prints as a document that is read back the same.
#include <cstdint>
#include <string>

#include "cli/codeplug_json.h"
#include "fuzz_support.h"
#include "model/run_time_error.h"
#include "storage/tone_file.h"

namespace {

using namespace rvm46;

const ToneTable& Tones() {
    return fuzz::DeliveredTones();
}
const ModelTable& Models() {
    return fuzz::TwoModels();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    cli::CodeplugDocument document;
    try {
        document = cli::ParseCodeplugJson(text, Models().gintModelCount);
    } catch (const cli::InputError& error) {
        if (std::string(error.what()).empty()) std::abort();
        return 0;
    }
    CodeplugImage image{};
    if (!RunToErrorExit(
            [&] { EncodeImage(image, document.channels, document.lists, Models(), Tones()); })) {
        return 0;
    }
    const std::string printed = cli::DecodedToJson(DecodeImage(image, Models(), Tones()));
    // What decoding prints is a document the parser takes (the model code is only informative).
    try {
        (void)cli::ParseCodeplugJson(printed, Models().gintModelCount);
    } catch (const cli::InputError&) {
        std::abort();
    }
    return 0;
}
