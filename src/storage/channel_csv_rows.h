#pragma once
// Internal to the channel list files: a data row read by column name, and the per-layout
// conversion between rows and channels.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "storage/channel_csv.h"
#include "storage/wording.h"

namespace rvm46::storage::csv {

// Fields of one data row by header name (names compared without regard to ASCII case).
class Row {
  public:
    Row(const std::map<std::string, std::size_t>& columns, const std::vector<std::string>& fields,
        int number, int language = 2)
        : columns_(columns), fields_(fields), number_(number), language_(language) {}

    // The field with blanks around it removed; "" when the column is missing or the row short.
    std::string Get(const std::string& column) const;
    std::string Where() const { return RowName(language_, number_); }
    int Number() const { return number_; }
    // A text in the language of the findings.
    std::string Say(std::string_view english, std::string_view chinese) const {
        return storage::Say(language_, english, chinese);
    }

  private:
    const std::map<std::string, std::size_t>& columns_;
    const std::vector<std::string>& fields_;
    int number_;
    int language_;
};

// One data row turned into a channel, before the band and tone checks.
struct RowChannel {
    std::optional<long> location;  // as written (0-based files are shifted later)
    ChannelRecord channel{};
    std::optional<int> wideNarrow;
};

std::string Lower(std::string text);
std::string Trim(const std::string& text);  // without the blanks around it
std::optional<long> WholeNumber(const std::string& text);

// The tone index of a display text of the tone list ("67.0", "67", "D023N", "None"); nullopt
// when the text names no tone.
std::optional<int> ToneFromText(const std::string& text, const ToneTable& tones);

inline const std::vector<std::string> kOwnColumns = {"Channel", "RX MHz",       "TX MHz", "Decode",
                                                     "Encode",  "Busy Lockout", "Shift"};
inline const std::vector<std::string> kGenericColumns = {
    "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
    "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE"};

// Each adds its refusals to `errors` and returns nullopt when the row is refused.
std::optional<RowChannel> ReadOwnRow(const Row& row, const ToneTable& tones,
                                     std::vector<Finding>& errors);
std::optional<RowChannel> ReadGenericRow(const Row& row, const ToneTable& tones,
                                         std::vector<Finding>& errors);

std::vector<std::string> OwnFields(int number, const ChannelRecord& channel,
                                   const ToneTable& tones);
std::vector<std::string> GenericFields(int number, const ChannelRecord& channel, int wideNarrow,
                                       const ToneTable& tones, std::vector<Finding>& notes,
                                       int language);

}  // namespace rvm46::storage::csv
