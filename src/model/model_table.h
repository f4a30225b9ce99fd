#pragma once
// The radio models the program offers, as read from the configuration file: four texts per model
// (name, low band edge MHz, high band edge MHz, model code) and eight model-block bytes.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace rvm46 {

inline constexpr int kMaxModels = 7;

struct ModelTable {
    std::int16_t gintModelCount = 0;
    std::array<std::string, 30> gstrModel;          // 4m name, 4m+1 low, 4m+2 high, 4m+3 code
    std::array<std::int16_t, 101> gintModelData{};  // 10m..10m+7: model block of model m
    std::array<std::string, 10> gstrFreRange;       // band label of each model
};

// The model code of model m as a byte value: its text as a number rounded to a whole number,
// halves to even; nullopt when the text is not a number or the result is not 0..255.
std::optional<std::uint8_t> ModelCode(const ModelTable& models, int m);

// The first model (0..count-1) whose code equals the given byte; nullopt when none does.
std::optional<int> FindModelByCode(const ModelTable& models, std::uint8_t code);

}  // namespace rvm46

namespace rvm46 {

// A band edge text as a number; a text that is not a number reads as 0.
double BandEdge(const std::string& text);

// The band label of a model: "446MHz" when both rounded edges are equal, else "400-470MHz".
std::string BandLabel(const std::string& lowEdge, const std::string& highEdge);

}  // namespace rvm46
