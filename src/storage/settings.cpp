#include "storage/settings.h"

#include "model/edit_state.h"
#include "storage/model_config.h"
#include "storage/profile_values.h"

namespace rvm46::storage {

namespace {

constexpr std::string_view kSetting = "Setting";

ProfileEntry SettingEntry(std::string_view key, std::optional<std::string> value) {
    return {std::string(kSetting), std::string(key), std::move(value)};
}

}  // namespace

ConfigFile::ConfigFile(std::filesystem::path file) : file_(std::move(file)), reading_(file_) {}

std::string ConfigFile::Read(const SettingKey& key) const {
    return reading_.Read(kSetting, key.name, key.fallback, key.size);
}

std::string ConfigFile::ReadPath(std::string_view defaultDataFile) const {
    return reading_.Read(kSetting, setting::kPath, defaultDataFile, setting::kPathSize);
}

std::optional<std::int16_t> ConfigFile::ReadInteger(const SettingKey& key) const {
    const auto value = ParseWholeNumber(Read(key));
    if (!value || *value < INT16_MIN || *value > INT16_MAX) return std::nullopt;
    return static_cast<std::int16_t>(*value);
}

std::optional<bool> ConfigFile::ReadBoolean(const SettingKey& key) const {
    return ParseBoolean(Read(key));
}

Colours ConfigFile::ReadColours() const {
    const auto colour = [&](const SettingKey& key) {
        return ParseColourLiteral(Read(key)).value_or(*ParseColourLiteral(key.fallback));
    };
    return {colour(setting::kColorFull), colour(setting::kColorTextText),
            colour(setting::kColorText), colour(setting::kColorHint), colour(setting::kColorBlack)};
}

ModelTable ConfigFile::ReadModelTable() const {
    return storage::ReadModelTable(reading_);
}

std::string ConfigFile::ModelTableProblem() const {
    return storage::ModelTableProblem(reading_);
}

Titles ConfigFile::ReadTitles() const {
    const auto title = [&](std::string_view key, std::string_view fallback) {
        return reading_.Read("Title", key, fallback, 50);
    };
    return {title("ChsTitle", "RVM46系列对讲机编程软件 V1.0"),
            title("EngTitle", "RVM46 Radio Programming Software V1.0"),
            title("ChsVer", "中英文版：V1.0"),
            title("EngVer", "Version: V1.0"),
            title("ChsRelease", "发布时间：2006.01"),
            title("EngRelease", "Release: 2006.01")};
}

DefaultIndexes ConfigFile::ReadDefaults() const {
    const auto index = [&](std::string_view key, char fallback, int items) -> std::int16_t {
        const std::string text = reading_.Read("Default", key, std::string(1, fallback), 2);
        if (text.size() == 1 && text[0] >= '0' && text[0] <= '9' && text[0] - '0' < items) {
            return static_cast<std::int16_t>(text[0] - '0');
        }
        return static_cast<std::int16_t>(fallback - '0');
    };
    return {index("ToneHint", '0', kOnOffItems),     index("Sql", '6', kSquelchItems),
            index("MoniKey", '3', kMonitorKeyItems), index("TimeOut", '2', kTimeOutItems),
            index("BatSave", '1', kOnOffItems),      index("WideNarrow", '1', kWideNarrowItems)};
}

bool ConfigFile::Save(const SavedSettings& settings) {
    std::vector<ProfileEntry> writes;
    writes.push_back(SettingEntry(setting::kLanguage.name, settings.language == 1 ? "1" : "2"));
    writes.push_back(SettingEntry(setting::kCom.name, std::to_string(settings.comPort)));
    writes.push_back(SettingEntry(setting::kPath, settings.path));
    writes.push_back(SettingEntry(setting::kModel.name, std::to_string(settings.model)));
    writes.push_back(SettingEntry(setting::kValLegal.name, settings.valLegal ? "True" : "False"));
    return WriteSettings(writes);
}

bool ConfigFile::WriteFirstRun(int language) {
    return WriteSettings({SettingEntry(setting::kLanguage.name, std::to_string(language)),
                          SettingEntry(setting::kCom.name, "1"), SettingEntry(setting::kPath, ""),
                          SettingEntry(setting::kModel.name, "1"),
                          SettingEntry(setting::kFreEqual.name, "1"),
                          SettingEntry(setting::kValLegal.name, "True"),
                          SettingEntry(setting::kNotLimitedModel.name, "True"),
                          SettingEntry(setting::kColorFull.name, "&HD8DBE4"),
                          SettingEntry(setting::kColorText.name, "&HDDDEE4"),
                          SettingEntry(setting::kColorTextText.name, "&HFFFFFF")});
}

bool ConfigFile::WriteExit(std::string_view path, bool freEqual) {
    return WriteSettings({SettingEntry(setting::kPath, std::string(path)),
                          SettingEntry(setting::kFreEqual.name, freEqual ? "1" : "0")});
}

bool ConfigFile::Write(std::string_view section, std::string_view key,
                       std::optional<std::string_view> value) {
    ProfileEntry entry{std::string(section), std::string(key), std::nullopt};
    if (value) entry.value = std::string(*value);
    return WriteSettings({entry});
}

bool ConfigFile::WriteSettings(const std::vector<ProfileEntry>& writes) {
    if (!Problem().empty()) return false;  // a refused file is never written
    const bool written = ProfileWriteAll(file_, writes);
    reading_ = ProfileSnapshot(file_);
    return written;
}

}  // namespace rvm46::storage
