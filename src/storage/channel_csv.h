#pragma once
// Channel lists in comma-separated files, for spreadsheets and other radio programming tools.
// Two layouts, both read and written:
// - our own: Channel,RX MHz,TX MHz,Decode,Encode,Busy Lockout,Shift (tones by their display text,
//   "None" for no tone; Yes/No; an empty TX MHz for a channel without transmit frequency);
// - the generic multi-radio layout: Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,
//   cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,
//   RPT1CALL,RPT2CALL,DVCODE, mapped to and from the channel fields; columns the radio cannot
//   hold are ignored when read and written with neutral values.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/edit_state.h"
#include "model/model_table.h"
#include "model/tone_table.h"
#include "storage/codeplug_document.h"

namespace rvm46::storage {

enum class CsvLayout { Own, Generic };

// How a list's rows become channels.
struct ImportOptions {
    int language = 2;                 // of the findings: 1 Chinese, 2 English
    std::optional<int> renumberFrom;  // place the rows in file order from this channel on
    bool skipInvalid = false;         // leave refused rows out (as notes) and take the others
    bool exact = false;  // a frequency off the model's raster is refused, not moved (standard sets)
};

struct ChannelImport {
    CsvLayout layout = CsvLayout::Own;
    ChannelTable channels = EmptyChannelTable();  // channels not listed are not in use
    std::optional<int> wideNarrow;                // from the generic layout's Mode column
    std::vector<Finding> errors;                  // any error: nothing may be applied
    std::vector<Finding> notes;                   // snapped frequencies, rows left out
    int placedRows = 0;                           // rows that were given a channel
    int outsideRows = 0;  // rows left out because their channel number is not 1 to 16
};

// Reads a channel list of either layout (told by its header row) and checks every row against
// model `model` (-1: no model) and the tone list. Rows count as a spreadsheet shows them: the
// header is row 1. A list with rows of which none can be placed is refused.
ChannelImport ImportChannelCsv(std::string_view bytes, const ModelTable& models, int model,
                               const ToneTable& tones, const ImportOptions& options = {});

struct ChannelExport {
    std::string text;
    std::vector<Finding> notes;  // what the layout cannot express
};

// One row per channel in use; `wideNarrow` (0 wide, 1 narrow, -1 none) gives the generic Mode.
ChannelExport ExportChannelCsv(const ChannelTable& channels, int wideNarrow, CsvLayout layout,
                               const ToneTable& tones, int language = 2);

// The channels in use of a table.
int ChannelsInUse(const ChannelTable& channels);

}  // namespace rvm46::storage
