#pragma once
// A codeplug as files outside the radio hold it (JSON, CSV), and the one set of rules every such
// document obeys before it becomes an image: the band and raster of the model, tones the tone list
// can store, list indexes within their lists.

#include <optional>
#include <string>
#include <vector>

#include "editing/frequency.h"
#include "model/codeplug_image.h"
#include "model/edit_state.h"
#include "model/model_table.h"
#include "model/tone_table.h"

namespace rvm46::storage {

struct CodeplugDocument {
    ListSelections lists;
    ChannelTable channels = EmptyChannelTable();
};

// One refused value, or one value that was changed on the way in.
struct Finding {
    std::string where;  // "row 5", "channel 3", "document"
    std::string field;  // column or key
    std::string value;  // as written
    std::string why;
};

// "row 5, RX MHz "480": Out of range!The valid range is 400-470MHz" (language 1: Chinese
// punctuation).
std::string Describe(const Finding& finding, int language = 2);

// The checks of one channel for one model. Without a model (-1) a frequency only has to be one the
// radio format holds (100 to 999 MHz) and lies on the 12.5 kHz raster.
class ChannelRules {
  public:
    // `language` of the reasons: 1 Chinese, 2 English.
    ChannelRules(const ModelTable& models, int model, const ToneTable& tones, int language = 2);

    struct Frequency {
        std::optional<double> mhz;  // on the raster; nullopt when refused
        std::string why;            // why it was refused
        bool snapped = false;       // the value given was off the raster
    };
    // Snaps to the model's raster as the channel editor does, then checks the band.
    Frequency CheckFrequency(double mhz) const;

    // "" when the tone index can be stored, else why not. -1 (no transmit frequency) only when
    // `encode`.
    std::string CheckTone(double index, bool encode) const;

    const ToneTable& Tones() const { return tones_; }

  private:
    const ToneTable& tones_;
    std::optional<editing::Band> band_;
    std::string bandLabel_;
    int language_;
};

struct Validation {
    std::vector<Finding> errors;  // any error refuses the whole document
    std::vector<Finding> notes;   // what was changed (frequencies snapped to the raster)
};

// Checks the radio-wide lists and every channel in use against the document's model; snaps the
// frequencies in place.
Validation ValidateDocument(CodeplugDocument& document, const ModelTable& models,
                            const ToneTable& tones);

// The document of an image (a list whose byte is not one of its items has no selection).
CodeplugDocument DocumentFromImage(const CodeplugImage& image, const ModelTable& models,
                                   const ToneTable& tones);

// The image of a checked document; nullopt (with a reason) when encoding failed.
std::optional<CodeplugImage> EncodeDocument(const CodeplugDocument& document,
                                            const ModelTable& models, const ToneTable& tones,
                                            std::string* error);

}  // namespace rvm46::storage
