#include "editing/frequency.h"

#include <charconv>
#include <cstdint>
#include <system_error>

#include "model/arithmetic.h"
#include "model/run_time_error.h"
#include "model/tone_table.h"

namespace rvm46::editing {

std::optional<double> FrequencyValue(std::string_view text) {
    return StrictNumber(text);
}

Band ModelBand(const ModelTable& models, int m) {
    if (m < 0 || 4 * m + 2 >= static_cast<int>(models.gstrModel.size())) {
        throw RunTimeError("Subscript out of range");
    }
    const auto low = static_cast<double>(RoundHalfEven(BandEdge(models.gstrModel[4 * m + 1])));
    const auto high = static_cast<double>(RoundHalfEven(BandEdge(models.gstrModel[4 * m + 2])));
    if (low == 446 && high == 446) return Band{true, k446Low, k446High};
    return Band{false, low, high};
}

bool InBand(const Band& band, double mhz) {
    return band.low <= mhz && mhz <= band.high;
}

bool Implausible(double mhz) {
    return mhz >= kPlausibleHigh || mhz < kPlausibleLow;
}

double SnapToRaster(double mhz, bool offsetRaster, long stepUnits, double stepMHz) {
    const double offset = offsetRaster ? kHalfStep : 0.0;
    const std::int64_t units = RoundHalfEven((mhz - offset) * kUnitsPerMHz);
    if (units < INT32_MIN || units > INT32_MAX) throw RunTimeError("Overflow");
    const std::int64_t steps =
        RoundHalfEven(static_cast<double>(units) / static_cast<double>(stepUnits));
    return static_cast<double>(steps) * stepMHz + offset;
}

std::string FormatFrequency(double mhz) {
    return FormatFixed(mhz, 3, 5);
}

std::string ShortestDecimal(double value) {
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (result.ec != std::errc()) throw RunTimeError("Overflow");
    return std::string(buffer, result.ptr);
}

std::string RangeMessage(int language, bool receiveBox, const Band& band,
                         const std::string& bandLabel) {
    const std::string range = band.is446 ? k446RangeText : bandLabel;
    if (language == 1) {
        return std::string(receiveBox ? "接收" : "发射") + "频率超出范围！有效范围为" + range;
    }
    return "Out of range!The valid range is " + range;
}

std::string ToneCellText(int toneIndex, const std::string& listText, const std::string& noneText) {
    if (toneIndex < 0) return "";
    if (toneIndex == 0) return noneText;
    if (toneIndex <= kLastQtTone) {
        if (const auto value = StrictNumber(listText)) return FormatFixed(*value, 1, 1);
    }
    return listText;
}

}  // namespace rvm46::editing
