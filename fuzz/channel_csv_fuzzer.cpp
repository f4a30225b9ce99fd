// Any bytes as a channel list: refused with a message per bad row, or imported; what was imported
// exports in its layout and that export imports again without a refusal.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "storage/channel_csv.h"
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
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // The first byte picks the model the rows are checked against (none, 400-470 or 446 MHz),
    // renumbering, skipping refused rows and the language of the findings.
    const int pick = size == 0 ? 0 : data[0];
    const int model = pick % 3 - 1;
    storage::ImportOptions options;
    if (pick / 3 % 2) options.renumberFrom = 1 + pick / 24 % 16;
    options.skipInvalid = pick / 6 % 2;
    options.language = pick / 12 % 2 + 1;
    const storage::ChannelImport imported =
        storage::ImportChannelCsv(bytes, Models(), model, Tones(), options);
    for (const auto* findings : {&imported.errors, &imported.notes}) {
        for (const storage::Finding& finding : *findings) {
            if (finding.why.empty()) std::abort();  // every refusal and note says why
        }
    }
    if (!imported.errors.empty()) return 0;
    const storage::ChannelExport exported = storage::ExportChannelCsv(
        imported.channels, imported.wideNarrow.value_or(-1), imported.layout, Tones());
    const storage::ChannelImport again =
        storage::ImportChannelCsv(exported.text, Models(), model, Tones());
    if (!again.errors.empty()) std::abort();
    return 0;
}
