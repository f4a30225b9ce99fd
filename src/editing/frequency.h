#pragma once
// Frequency entry arithmetic of the channel edit panel: what counts as a number, the band of a
// model, snapping to the 12.5 kHz channel raster (offset by half a step on 446 MHz models), the
// "000.00000" display form and the range message.

#include <optional>
#include <string>
#include <string_view>

#include "model/model_table.h"

namespace rvm46::editing {

// The channel raster: one step in units of 10 Hz and in MHz, the offset of the 446 MHz raster,
// and the scale from MHz to units of 10 Hz.
inline constexpr long kFreStepUnits = 1250;
inline constexpr double kFreStep = 0.0125;
inline constexpr double kHalfStep = 0.00625;
inline constexpr double kUnitsPerMHz = 100000.0;

// The fixed band of the 446 MHz models.
inline constexpr double k446Low = 446.00625;
inline constexpr double k446High = 446.09375;
inline constexpr const char* k446RangeText = "446.00625-446.09375MHz";

// Limits of a plausible frequency on the lenient path and when a channel is accepted: a value
// of 999 or more, or below 100, is replaced by the band's low edge.
inline constexpr double kPlausibleLow = 100.0;
inline constexpr double kPlausibleHigh = 999.0;

// The value of a frequency text: a plain decimal number with optional sign and surrounding
// blanks ("446.", ".5" and "446.00625" are numbers; "", "." and "4e2" are not).
std::optional<double> FrequencyValue(std::string_view text);

// The band check limits of one model.
struct Band {
    bool is446 = false;  // both edges are 446 as whole MHz: fixed band, offset raster
    double low = 0;      // whole MHz (or the fixed 446 MHz band)
    double high = 0;
};

// The band of model m: the table's edges taken to whole MHz, halves to even; a model whose two
// edges are both 446 gets the fixed 446 MHz band. A model index outside the table is a run-time
// error.
Band ModelBand(const ModelTable& models, int m);

bool InBand(const Band& band, double mhz);

// True for a value the lenient path and the accept command replace by the band's low edge.
bool Implausible(double mhz);

// The nearest raster point, ties to the even step. The offset raster (446 MHz models) holds
// 446.00625 + k x 0.0125 MHz. A value whose units of 10 Hz do not fit a signed 32-bit whole number
// cannot be snapped: RunTimeError.
double SnapToRaster(double mhz, bool offsetRaster, long stepUnits = kFreStepUnits,
                    double stepMHz = kFreStep);

// "000.00000": at least three digits before the point, five after (rounded half to even).
std::string FormatFrequency(double mhz);

// The shortest decimal text that reads back as exactly this value (446.00625, 400, 433.1).
std::string ShortestDecimal(double value);

// The message for a value outside the band. Chinese (language 1) names the box ("接收" receive,
// "发射" transmit); English does not. `bandLabel` is the model's band label, used for models
// other than the 446 MHz ones.
std::string RangeMessage(int language, bool receiveBox, const Band& band,
                         const std::string& bandLabel);

// The grid's text of a tone: "" for -1 (no selection), `noneText` for 0, CTCSS tones (1..39)
// with one decimal, DQT codes as listed.
std::string ToneCellText(int toneIndex, const std::string& listText, const std::string& noneText);

}  // namespace rvm46::editing
