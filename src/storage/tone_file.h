#pragma once
// The tone list file: section "QTDQT" gives each tone index its four-digit code, section
// "QTDQTList" the text shown for it. A missing key (or file) reads as the key's own number.

#include <filesystem>
#include <string>

#include "model/tone_table.h"
#include "storage/profile.h"

namespace rvm46::storage {

// Reads [QTDQT] keys 0..204 (at most 4 characters each).
void LoadToneCodes(const ProfileSnapshot& toneFile, ToneTable& table);

// Reads [QTDQTList] keys 1..204 (at most 8 characters each).
void LoadToneList(const ProfileSnapshot& toneFile, ToneTable& table);

// Both sections from one reading of the file. *problem (when given) receives why the file was
// refused, empty when it was read or is missing.
ToneTable LoadToneTable(const std::filesystem::path& toneFile, std::string* problem = nullptr);

}  // namespace rvm46::storage
