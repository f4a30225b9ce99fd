#pragma once
// The model table of the configuration file, section "Model": "ModCnt" models, four texts each
// under keys 0..4n-1 and eight model-block values each under keys 100+10m+j.

#include "model/model_table.h"
#include "storage/profile.h"

namespace rvm46::storage {

// Reads the model table with the file's defaults for missing keys, and a defined value for
// everything the file may get wrong:
// - "ModCnt" (one character) is the number of models, 1..7; 8 or 9 give 7 (the most the program
//   holds); 0 or a character that is not a digit give the default 4.
// - A model-block value is rounded to a whole number, halves to even ("7.5" gives 8). A value
//   outside 0..255 is kept as it is, and one that is not a number, or does not fit the table,
//   is kept as -1: either way the encoder leaves that byte FFh.
// - Band labels are built from the edges (an edge that is not a number counts as 0).
ModelTable ReadModelTable(const ProfileSnapshot& configFile);

// Empty when the file holds a model table (the first model's name, key "0" of "Model");
// otherwise why not, in words a user can act on. Without one every model reads as the defaults,
// "5100" for name and both band edges, and no frequency fits.
std::string ModelTableProblem(const ProfileSnapshot& configFile);

}  // namespace rvm46::storage
