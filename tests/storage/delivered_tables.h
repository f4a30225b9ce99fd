#pragma once
// The model table and tone list delivered beside the program, for tests of the files and
// documents built on them.

#include "model/model_table.h"
#include "model/tone_table.h"
#include "storage/model_config.h"
#include "support/temp_dir.h"

namespace rvm46::testing {

inline const ModelTable& DeliveredModels() {
    static const ModelTable models = storage::LoadModelTable(DeliveredFile("Config_5100.ini"));
    return models;
}

inline const ToneTable& DeliveredTones() {
    static const ToneTable tones = [] {
        ToneTable table;
        LoadToneCodes(DeliveredFile("QTDQT_5100.ini"), table);
        LoadToneList(DeliveredFile("QTDQT_5100.ini"), table);
        return table;
    }();
    return tones;
}

// Model indexes of the delivered configuration.
inline constexpr int kModel4100 = 0;     // 400-470 MHz
inline constexpr int kModel4100446 = 1;  // the fixed 446 MHz band

}  // namespace rvm46::testing
