#pragma once
// The model table of the configuration file, section "Model": "ModCnt" models, four texts each
// under keys 0..4n-1 and eight model-block values each under keys 100+10m+j.

#include <filesystem>

#include "model/model_table.h"

namespace rvm46::storage {

// Reads the model table with the file's defaults for missing keys, and a defined value for
// everything the file may get wrong:
// - "ModCnt" (one character) is the number of models, 1..7; 8 or 9 give 7 (the most the program
//   holds); 0 or a character that is not a digit give the default 4.
// - A model-block value that is not a whole number 0..255 reads as 0, the key's default.
// - Band labels are built from the edges (an edge that is not a number counts as 0).
ModelTable LoadModelTable(const std::filesystem::path& configFile);

}  // namespace rvm46::storage
