#include "storage/model_config.h"

#include <cmath>
#include <string>

#include "model/arithmetic.h"

namespace rvm46::storage {

namespace {

std::int16_t ModelCount(const ProfileSnapshot& configFile) {
    const std::string text = configFile.Read("Model", "ModCnt", "4", 2);
    if (text.size() == 1 && text[0] >= '1' && text[0] <= '7') return text[0] - '0';
    if (text == "8" || text == "9") return kMaxModels;
    return 4;
}

std::int16_t ModelDataValue(const std::string& text) {
    constexpr std::int16_t kNotAByte = -1;
    const auto value = StrictNumber(text);
    if (!value || std::fabs(*value) >= 32767) return kNotAByte;
    return static_cast<std::int16_t>(RoundHalfEven(*value));
}

}  // namespace

ModelTable ReadModelTable(const ProfileSnapshot& configFile) {
    ModelTable models;
    models.gintModelCount = ModelCount(configFile);
    for (int i = 0; i < 4 * models.gintModelCount; ++i) {
        models.gstrModel[i] = configFile.Read("Model", std::to_string(i), "5100", 15);
    }
    for (int m = 0; m < models.gintModelCount; ++m) {
        models.gstrFreRange[m] =
            BandLabel(models.gstrModel[4 * m + 1], models.gstrModel[4 * m + 2]);
        for (int j = 0; j < 8; ++j) {
            const std::string key = std::to_string(100 + 10 * m + j);
            models.gintModelData[10 * m + j] =
                ModelDataValue(configFile.Read("Model", key, "0", 15));
        }
    }
    return models;
}

std::string ModelTableProblem(const ProfileSnapshot& configFile) {
    if (!configFile.Read("Model", "0", "", 15).empty()) return "";
    return "has no model table (section [Model] with the models' names and band edges); use the "
           "configuration file delivered with the program";
}

}  // namespace rvm46::storage
