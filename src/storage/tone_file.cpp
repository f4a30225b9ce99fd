#include "storage/tone_file.h"

namespace rvm46::storage {

void LoadToneCodes(const ProfileSnapshot& toneFile, ToneTable& table) {
    for (int i = 0; i <= kToneCount; ++i) {
        const std::string key = std::to_string(i);
        table.gstrQTDQTCode[i] = toneFile.Read("QTDQT", key, key, 5);
    }
}

void LoadToneList(const ProfileSnapshot& toneFile, ToneTable& table) {
    for (int i = 1; i <= kToneCount; ++i) {
        const std::string key = std::to_string(i);
        table.gstrQTDQTList[i] = toneFile.Read("QTDQTList", key, key, 9);
    }
}

ToneTable LoadToneTable(const std::filesystem::path& toneFile, std::string* problem) {
    const ProfileSnapshot profile(toneFile);
    ToneTable table;
    LoadToneCodes(profile, table);
    LoadToneList(profile, table);
    if (problem) *problem = profile.Problem();
    return table;
}

}  // namespace rvm46::storage
