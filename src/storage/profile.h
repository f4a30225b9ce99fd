#pragma once
// Profile (INI) files: the configuration file and the tone list file are read and written only
// through these two operations.
//
// File layout: "[section]" header lines, "key=value" lines, comment lines starting with ';'.
// Section and key names match without regard to ASCII case; whitespace around names and values
// is ignored and a value wrapped in double quotes is read without them. Other lines are ignored
// when reading and kept as they are when writing. Only the first section of a name counts, and in
// it only the first line of a key.
//
// Encoding: a file is UTF-16 when it starts with a UTF-16 byte order mark (either byte order, as
// Windows editors save "Unicode"), else UTF-8 (a leading byte order mark is accepted and kept);
// a file that is not valid UTF-8 was written in the Chinese code page and is taken as GB18030.
// Values are handed in and out as UTF-8 whatever the file's encoding; a write keeps the file's
// encoding. A file valid in none of these (or holding NUL bytes without a UTF-16 byte order
// mark), or that is not a regular file, is refused: it reads as missing, with a problem to
// report, and is never written to.

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rvm46::storage {

// The value of key in section, or defaultValue when the file, the section or the key is missing
// (or the file cannot be read). At most size - 1 characters are returned (characters, not bytes);
// a longer value, or default, is cut. A key present with an empty value gives "".
std::string ProfileRead(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view defaultValue, int size);

// Sets key to value in section: the key's line is replaced, or a new line is added after the last
// non-blank line of the section; a missing section is added at the end of the file, a missing
// file is created (UTF-8). nullopt removes the key's line(s) from the section; removing a key that
// is not there changes nothing. Every other line is kept byte for byte, and new lines take the
// file's line end (CRLF or LF).
//
// The file is replaced as a whole through a temporary file in the same folder, so a failure never
// leaves it half written. Returns false when the write failed (folder missing or not writable,
// disk full, a name or value that cannot be stored on one line, a refused file) and the file is
// then unchanged.
bool ProfileWrite(const std::filesystem::path& file, std::string_view section, std::string_view key,
                  std::optional<std::string_view> value);

// One reading of a profile file, for many reads in a row (the tone list's 409 keys): the same
// answers as ProfileRead at the moment the snapshot was taken.
class ProfileSnapshot {
  public:
    explicit ProfileSnapshot(const std::filesystem::path& file);
    // The same reading of a file's bytes, without the file.
    static ProfileSnapshot FromBytes(std::string_view bytes);

    std::string Read(std::string_view section, std::string_view key, std::string_view defaultValue,
                     int size) const;

    // Why the file was refused ("is a FIFO, not a file", "is not valid UTF-16 text"); empty when
    // it was read or is missing.
    const std::string& Problem() const { return problem_; }

  private:
    ProfileSnapshot() = default;
    void Parse(std::string_view bytes);

    std::map<std::string, std::map<std::string, std::string>> sections_;
    std::string problem_;
};

// Several writes in this order with one reading and one rewriting of the file: the result is that
// of the single writes one after another: one that cannot be stored is left out and makes the
// result false, the others are made.
struct ProfileEntry {
    std::string section;
    std::string key;
    std::optional<std::string> value;  // nullopt removes the key
};
bool ProfileWriteAll(const std::filesystem::path& file, const std::vector<ProfileEntry>& writes);

}  // namespace rvm46::storage
