#include "model/model_table.h"

#include <cmath>

#include "model/arithmetic.h"

namespace rvm46 {

std::optional<std::uint8_t> ModelCode(const ModelTable& models, int m) {
    if (m < 0 || m >= kMaxModels) return std::nullopt;
    // The whole number of the text, halves to even: "65.4" is 65, "7.5" is 8.
    const std::optional<double> value = StrictNumber(models.gstrModel[4 * m + 3]);
    if (!value || std::fabs(*value) > 1000) return std::nullopt;
    const std::int64_t whole = RoundHalfEven(*value);
    if (whole < 0 || whole > 255) return std::nullopt;
    return static_cast<std::uint8_t>(whole);
}

std::optional<int> FindModelByCode(const ModelTable& models, std::uint8_t code) {
    for (int m = 0; m < models.gintModelCount && m < kMaxModels; ++m) {
        if (ModelCode(models, m) == code) return m;
    }
    return std::nullopt;
}

}  // namespace rvm46

namespace rvm46 {

double BandEdge(const std::string& text) {
    return StrictNumber(text).value_or(0.0);
}

std::string BandLabel(const std::string& lowEdge, const std::string& highEdge) {
    const auto clamp = [](double v) { return std::fabs(v) < 1e15 ? v : 0.0; };
    const std::int64_t low = RoundHalfEven(clamp(BandEdge(lowEdge)));
    const std::int64_t high = RoundHalfEven(clamp(BandEdge(highEdge)));
    if (low == high) return std::to_string(low) + "MHz";
    return std::to_string(low) + "-" + std::to_string(high) + "MHz";
}

}  // namespace rvm46
