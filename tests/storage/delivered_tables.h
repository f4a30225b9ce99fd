#pragma once
// The model table and tone list delivered beside the program, for tests of the files and
// documents built on them.

#include "model/model_table.h"
#include "model/tone_table.h"
#include "storage/settings.h"
#include "storage/tone_file.h"
#include "support/temp_dir.h"

namespace rvm46::testing {

inline const ModelTable& DeliveredModels() {
    static const ModelTable models =
        storage::ConfigFile(DeliveredFile("Config_5100.ini")).ReadModelTable();
    return models;
}

inline const ToneTable& DeliveredTones() {
    static const ToneTable tones = storage::LoadToneTable(DeliveredFile("QTDQT_5100.ini"));
    return tones;
}

// Model indexes of the delivered configuration.
inline constexpr int kModel4100 = 0;     // 400-470 MHz
inline constexpr int kModel4100446 = 1;  // the fixed 446 MHz band

}  // namespace rvm46::testing
