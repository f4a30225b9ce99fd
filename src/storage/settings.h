#pragma once
// The configuration file: what it holds (sections, keys, their defaults and the number of
// characters read), read once per load, and the groups of keys the program writes. The window
// decides what to do with the values; this is the one place that knows the file.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "model/model_table.h"
#include "storage/profile.h"

namespace rvm46::storage {

// A key of section "Setting": its name, the text read when it is missing, and the size (the most
// characters read, plus one).
struct SettingKey {
    std::string_view name;
    std::string_view fallback;
    int size;
};

namespace setting {
inline constexpr SettingKey kColorFull{"ColorFull", "&HCADCEC", 9};
inline constexpr SettingKey kColorTextText{"ColorTextText", "&HCADCE7", 9};
inline constexpr SettingKey kColorText{"ColorText", "&HCACEDF", 9};
inline constexpr SettingKey kColorHint{"ColorHint", "&H0000FF", 9};
inline constexpr SettingKey kColorBlack{"ColorBlack", "&H000000", 9};
inline constexpr SettingKey kValLegal{"ValLegal", "True", 6};
inline constexpr SettingKey kNotLimitedModel{"NotLimitedModel", "False", 6};
inline constexpr SettingKey kOverFreFont{"OverFreFont", "True", 6};
inline constexpr SettingKey kLanguage{"Language", "a", 2};  // not a number: starts the first run
inline constexpr SettingKey kCom{"COM", "1", 3};
inline constexpr SettingKey kModel{"Model", "1", 3};
inline constexpr SettingKey kFreEqual{"FreEqual", "1", 2};
inline constexpr std::string_view kPath = "Path";  // default: the default data file
inline constexpr int kPathSize = 300;
}  // namespace setting

struct Colours {
    std::uint32_t full, textText, text, hint, black;
};

struct Titles {
    std::string chsTitle, engTitle, chsVer, engVer, chsRelease, engRelease;
};

// List indexes applied to the radio-wide lists at start-up, on a model change and on New File.
struct DefaultIndexes {
    std::int16_t toneHint, sql, moniKey, timeOut, batSave, wideNarrow;
};

// What a save writes to section "Setting".
struct SavedSettings {
    int language;  // 1 Chinese; anything else is stored as 2
    int comPort;
    std::optional<std::string> path;  // nullopt removes "Path"
    int model;                        // selected index, -1 for none
    bool valLegal;
};

class ConfigFile {
  public:
    // Reads the file once; a missing file gives every default.
    explicit ConfigFile(std::filesystem::path file);

    const std::filesystem::path& File() const { return file_; }
    // Why the file was refused (not a regular file, no encoding the program reads); empty when
    // it was read or is missing. A refused file reads as missing and is never written.
    const std::string& Problem() const { return reading_.Problem(); }

    // Section "Setting".
    std::string Read(const SettingKey& key) const;
    std::string ReadPath(std::string_view defaultDataFile) const;
    // A whole number that fits the program's 16-bit Integer; nullopt when the text is not one.
    std::optional<std::int16_t> ReadInteger(const SettingKey& key) const;
    std::optional<bool> ReadBoolean(const SettingKey& key) const;
    // A colour that is not a number keeps its default.
    Colours ReadColours() const;

    // Sections "Model", "Title" and "Default".
    ModelTable ReadModelTable() const;
    // Empty when the file holds a model table; otherwise why not.
    std::string ModelTableProblem() const;
    Titles ReadTitles() const;
    // A "Default" value is one character, a digit that is an index of its list; anything else
    // reads as the key's default.
    DefaultIndexes ReadDefaults() const;

    // Writes, each group with one rewriting of the file. Later reads see what was written, as a
    // new reading of the file would. Failures are not reported (false is returned).
    bool Save(const SavedSettings& settings);
    bool WriteFirstRun(int language);
    bool WriteExit(std::string_view path, bool freEqual);
    bool Write(std::string_view section, std::string_view key,
               std::optional<std::string_view> value);

  private:
    bool WriteSettings(const std::vector<ProfileEntry>& writes);

    std::filesystem::path file_;
    ProfileSnapshot reading_;
};

}  // namespace rvm46::storage
