#include "storage/profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <vector>

#include "storage/file_read.h"
#include "storage/text_encoding.h"

namespace rvm46::storage {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t\v\f\r";

enum class Encoding { kUtf8, kGb18030, kUtf16Le, kUtf16Be };

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// One line of a profile file, already in UTF-8, classified.
struct ParsedLine {
    enum class Kind { kBlank, kComment, kSection, kEntry, kOther };
    Kind kind = Kind::kOther;
    std::string_view name;   // section name or key
    std::string_view value;  // entry value, unquoted
};

ParsedLine ParseLine(std::string_view line) {
    ParsedLine parsed;
    const std::string_view text = Trim(line);
    if (text.empty()) {
        parsed.kind = ParsedLine::Kind::kBlank;
    } else if (text.front() == ';') {
        parsed.kind = ParsedLine::Kind::kComment;
    } else if (text.front() == '[') {
        parsed.kind = ParsedLine::Kind::kSection;
        parsed.name = Trim(text.substr(1, text.find(']') - 1));
    } else if (const auto equals = text.find('='); equals != std::string_view::npos) {
        parsed.kind = ParsedLine::Kind::kEntry;
        parsed.name = Trim(text.substr(0, equals));
        std::string_view value = Trim(text.substr(equals + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            value = value.substr(1, value.size() - 2);
        }
        parsed.value = value;
    }
    return parsed;
}

// Files beyond this size are refused rather than read into memory: no profile is anywhere near.
constexpr std::uintmax_t kMaxProfileBytes = 16 * 1024 * 1024;

// A profile file's text in UTF-8 with the encoding it came in.
struct DecodedProfile {
    Encoding encoding = Encoding::kUtf8;
    bool bom = false;       // a UTF-8 byte order mark (UTF-16 files always have one)
    std::string_view body;  // the bytes after any byte order mark, for UTF-8 and GB18030
    std::string text;       // the whole text in UTF-8, without byte order mark
};

// The encoding of a file's bytes: UTF-16 with its byte order mark, UTF-8 (with or without one),
// or else GB18030. nullopt, with the reason, when the bytes are valid in none of them.
std::optional<DecodedProfile> DecodeProfile(std::string_view bytes, std::string& reason) {
    DecodedProfile decoded;
    if (bytes.starts_with(std::string_view("\xFF\xFE\0\0", 4)) ||
        bytes.starts_with(std::string_view("\0\0\xFE\xFF", 4))) {
        reason = "is UTF-32 text, which the program does not read";
        return std::nullopt;
    }
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        const bool bigEndian = bytes[0] == '\xFE';
        decoded.encoding = bigEndian ? Encoding::kUtf16Be : Encoding::kUtf16Le;
        auto text = Utf16ToUtf8(bytes.substr(2), bigEndian);
        if (!text) {
            reason = "is not valid UTF-16 text";
            return std::nullopt;
        }
        decoded.text = std::move(*text);
        return decoded;
    }
    if (bytes.starts_with(kUtf8Bom)) {
        decoded.bom = true;
        bytes.remove_prefix(kUtf8Bom.size());
    }
    decoded.body = bytes;
    if (bytes.find('\0') != std::string_view::npos) {
        reason =
            "holds NUL bytes (UTF-16 text without a byte order mark?), not text the program "
            "reads";
        return std::nullopt;
    }
    if (IsValidUtf8(bytes)) {
        decoded.text = std::string(bytes);
        return decoded;
    }
    auto text = decoded.bom ? std::nullopt : StrictGb18030ToUtf8(bytes);
    if (!text) {
        reason =
            decoded.bom ? "is not valid UTF-8 text" : "is neither UTF-8, UTF-16 nor GB18030 text";
        return std::nullopt;
    }
    decoded.encoding = Encoding::kGb18030;
    decoded.text = std::move(*text);
    return decoded;
}

// Writes bytes to a new file beside target and renames it over target. On any failure the
// temporary file is removed and target is left as it was.
bool ReplaceFile(const fs::path& target, std::string_view bytes) {
    static std::atomic<unsigned> counter{0};
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");

    struct stat original {};
    const bool exists = ::stat(target.c_str(), &original) == 0;
    if (exists && ::access(target.c_str(), W_OK) != 0) return false;  // a read-only file stays

    int fd = -1;
    fs::path temporary;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        // Appended piece by piece: GCC 12 at -O3 misreads "." + std::string as overlapping.
        std::string name = ".";
        name += target.filename().string();
        name += ".tmp" + std::to_string(getpid()) + "_" + std::to_string(counter++);
        temporary = folder / name;
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;

    if (exists) {
        ::fchmod(fd, original.st_mode & 07777);  // best effort: keep the file's permissions
    }

    bool ok = true;
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (ok && left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno != EINTR) ok = false;
            continue;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    if (ok && ::fsync(fd) != 0) ok = false;
    if (::close(fd) != 0) ok = false;
    if (ok && ::rename(temporary.c_str(), target.c_str()) != 0) ok = false;
    if (!ok) ::unlink(temporary.c_str());
    return ok;
}

// A profile file split into lines for editing. Content is the raw bytes of a line (in the file's
// encoding, without the line end); text is the same line in UTF-8 for matching.
struct RawLine {
    std::string content;
    std::string ending;
    std::string text;
};

struct EditableProfile {
    Encoding encoding = Encoding::kUtf8;
    bool bom = false;
    std::string newline = "\n";
    std::vector<RawLine> lines;
};

EditableProfile SplitForEditing(const DecodedProfile& decoded) {
    EditableProfile profile;
    profile.encoding = decoded.encoding;
    profile.bom = decoded.bom;
    // UTF-16 lines are edited in UTF-8 and the whole text is encoded again when written; the
    // 8-bit encodings keep each untouched line's bytes as they are.
    const bool utf16 =
        decoded.encoding == Encoding::kUtf16Le || decoded.encoding == Encoding::kUtf16Be;
    std::string_view bytes = utf16 ? std::string_view(decoded.text) : decoded.body;
    if (const auto lf = bytes.find('\n');
        lf != std::string_view::npos && lf > 0 && bytes[lf - 1] == '\r') {
        profile.newline = "\r\n";
    }
    // '\n' and '\r' never occur inside a GB18030 multi-byte sequence, so splitting the raw
    // bytes is safe in either encoding.
    while (!bytes.empty()) {
        RawLine line;
        const auto lf = bytes.find('\n');
        std::string_view content = bytes.substr(0, lf);
        bytes.remove_prefix(lf == std::string_view::npos ? bytes.size() : lf + 1);
        if (lf != std::string_view::npos) {
            const bool crlf = content.ends_with('\r');
            if (crlf) content.remove_suffix(1);
            line.ending = crlf ? "\r\n" : "\n";
        }
        line.content = std::string(content);
        line.text =
            profile.encoding == Encoding::kGb18030 ? Gb18030ToUtf8(line.content) : line.content;
        profile.lines.push_back(std::move(line));
    }
    return profile;
}

std::optional<std::string> Join(const EditableProfile& profile) {
    std::string bytes = profile.bom ? std::string(kUtf8Bom) : std::string();
    for (const RawLine& line : profile.lines) bytes += line.content + line.ending;
    if (profile.encoding == Encoding::kUtf16Le) {
        auto utf16 = Utf8ToUtf16(bytes, false);
        if (!utf16) return std::nullopt;
        return "\xFF\xFE" + *utf16;
    }
    if (profile.encoding == Encoding::kUtf16Be) {
        auto utf16 = Utf8ToUtf16(bytes, true);
        if (!utf16) return std::nullopt;
        return "\xFE\xFF" + *utf16;
    }
    return bytes;
}

// The line in the file's encoding; nullopt when the text cannot be represented.
std::optional<std::string> EncodeLine(const EditableProfile& profile, const std::string& text) {
    if (profile.encoding == Encoding::kGb18030) return Utf8ToGb18030(text);
    // UTF-8, and UTF-16 lines, which are kept in UTF-8 until the file is written.
    if (!IsValidUtf8(text) || text.find('\0') != std::string::npos) return std::nullopt;
    return text;
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != text.npos;
}

bool IsBlank(const RawLine& line) {
    return ParseLine(line.text).kind == ParsedLine::Kind::kBlank;
}

}  // namespace

namespace {

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    }
    return lower;
}

}  // namespace

ProfileSnapshot::ProfileSnapshot(const fs::path& file) {
    const FileRead read = ReadRegularFile(file, kMaxProfileBytes + 1);
    if (read.status == FileRead::Status::kMissing) return;
    if (read.status == FileRead::Status::kRefused) {
        problem_ = read.reason;
    } else if (read.size > kMaxProfileBytes) {
        problem_ = "is larger than 16 MB, too large for a profile file";
    } else {
        Parse(read.bytes);
    }
}

ProfileSnapshot ProfileSnapshot::FromBytes(std::string_view bytes) {
    ProfileSnapshot snapshot;
    snapshot.Parse(bytes);
    return snapshot;
}

void ProfileSnapshot::Parse(std::string_view bytes) {
    const std::optional<DecodedProfile> decoded = DecodeProfile(bytes, problem_);
    if (!decoded) return;
    const std::string& text = decoded->text;
    // Only the first section of a name counts, and in it only the first line of a key.
    std::map<std::string, std::string>* current = nullptr;
    std::string_view rest = text;
    while (!rest.empty()) {
        const auto lf = rest.find('\n');
        const std::string_view line = rest.substr(0, lf);
        rest.remove_prefix(lf == std::string_view::npos ? rest.size() : lf + 1);

        const ParsedLine parsed = ParseLine(line);
        if (parsed.kind == ParsedLine::Kind::kSection) {
            const auto [it, isNew] = sections_.try_emplace(LowerAscii(parsed.name));
            current = isNew ? &it->second : nullptr;
        } else if (current != nullptr && parsed.kind == ParsedLine::Kind::kEntry) {
            current->try_emplace(LowerAscii(parsed.name), parsed.value);
        }
    }
}

std::string ProfileSnapshot::Read(std::string_view section, std::string_view key,
                                  std::string_view defaultValue, int size) const {
    const std::size_t maxChars = size > 1 ? static_cast<std::size_t>(size - 1) : 0;
    const auto inSection = sections_.find(LowerAscii(Trim(section)));
    if (inSection != sections_.end()) {
        const auto entry = inSection->second.find(LowerAscii(Trim(key)));
        if (entry != inSection->second.end()) return Utf8Prefix(entry->second, maxChars);
    }
    return Utf8Prefix(defaultValue, maxChars);
}

std::string ProfileRead(const fs::path& file, std::string_view section, std::string_view key,
                        std::string_view defaultValue, int size) {
    return ProfileSnapshot(file).Read(section, key, defaultValue, size);
}

namespace {

// Applies one write to the lines of a profile; false when it cannot be stored.
bool ApplyWrite(EditableProfile& profile, const ProfileEntry& write) {
    const std::string_view sectionName = Trim(write.section);
    const std::string_view keyName = Trim(write.key);
    const std::optional<std::string>& value = write.value;
    // Names and values that could not be read back as written are refused.
    if (HasLineBreak(sectionName) || sectionName.find(']') != std::string_view::npos) return false;
    if (keyName.empty() || HasLineBreak(keyName) || keyName.find('=') != std::string_view::npos ||
        keyName.front() == ';' || keyName.front() == '[') {
        return false;
    }
    if (value && HasLineBreak(*value)) return false;

    auto& lines = profile.lines;
    // The first section of that name: its header line and the end of its body.
    std::optional<std::size_t> header;
    std::size_t end = lines.size();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const ParsedLine parsed = ParseLine(lines[i].text);
        if (parsed.kind != ParsedLine::Kind::kSection) continue;
        if (header) {
            end = i;
            break;
        }
        if (EqualsIgnoringCase(parsed.name, sectionName)) header = i;
    }
    auto isKeyLine = [&](const RawLine& line) {
        const ParsedLine parsed = ParseLine(line.text);
        return parsed.kind == ParsedLine::Kind::kEntry && EqualsIgnoringCase(parsed.name, keyName);
    };

    if (!value) {
        if (!header) return true;
        const auto first = lines.begin() + static_cast<std::ptrdiff_t>(*header + 1);
        const auto last = lines.begin() + static_cast<std::ptrdiff_t>(end);
        lines.erase(std::remove_if(first, last, isKeyLine), last);
        return true;
    }
    const std::string entryText = std::string(keyName) + "=" + *value;
    const std::optional<std::string> entry = EncodeLine(profile, entryText);
    if (!entry) return false;

    std::optional<std::size_t> keyLine;
    for (std::size_t i = header ? *header + 1 : end; i < end && !keyLine; ++i) {
        if (isKeyLine(lines[i])) keyLine = i;
    }
    if (keyLine) {
        lines[*keyLine].content = *entry;
        lines[*keyLine].text = entryText;
    } else if (header) {
        std::size_t after = *header;
        for (std::size_t i = *header + 1; i < end; ++i) {
            if (!IsBlank(lines[i])) after = i;
        }
        if (lines[after].ending.empty()) lines[after].ending = profile.newline;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(after + 1),
                     RawLine{*entry, profile.newline, entryText});
    } else {
        const std::string headerText = "[" + std::string(sectionName) + "]";
        const std::optional<std::string> headerLine = EncodeLine(profile, headerText);
        if (!headerLine) return false;
        if (!lines.empty()) {
            if (lines.back().ending.empty()) lines.back().ending = profile.newline;
            if (!IsBlank(lines.back())) lines.push_back(RawLine{{}, profile.newline, {}});
        }
        lines.push_back(RawLine{*headerLine, profile.newline, headerText});
        lines.push_back(RawLine{*entry, profile.newline, entryText});
    }
    return true;
}

}  // namespace

bool ProfileWriteAll(const fs::path& file, const std::vector<ProfileEntry>& writes) {
    try {
        // Through a symbolic link the file it points to is rewritten, not the link.
        fs::path target = file;
        std::error_code ec;
        if (fs::is_symlink(target, ec)) {
            const fs::path link = fs::read_symlink(target, ec);
            if (ec) return false;
            target = link.is_absolute() ? link : target.parent_path() / link;
        }

        // Only a regular file in an encoding the program reads is ever rewritten.
        const FileRead read = ReadRegularFile(target, kMaxProfileBytes + 1);
        if (read.status == FileRead::Status::kRefused || read.size > kMaxProfileBytes) return false;
        const bool exists = read.status == FileRead::Status::kRead;
        const bool removalsOnly = std::none_of(writes.begin(), writes.end(),
                                               [](const ProfileEntry& w) { return w.value; });
        if (!exists && removalsOnly) return true;  // nothing to remove
        const std::string& original = read.bytes;
        std::string reason;
        const std::optional<DecodedProfile> decoded = DecodeProfile(original, reason);
        if (!decoded) return false;

        EditableProfile profile = SplitForEditing(*decoded);
        bool allStored = true;
        for (const ProfileEntry& write : writes) {
            allStored = ApplyWrite(profile, write) && allStored;
        }
        const std::optional<std::string> updated = Join(profile);
        if (!updated) return false;
        if (exists && *updated == original) return allStored;
        return ReplaceFile(target, *updated) && allStored;
    } catch (const std::exception&) {
        return false;
    }
}

bool ProfileWrite(const fs::path& file, std::string_view section, std::string_view key,
                  std::optional<std::string_view> value) {
    ProfileEntry write{std::string(section), std::string(key), std::nullopt};
    if (value) write.value = std::string(*value);
    return ProfileWriteAll(file, {write});
}

}  // namespace rvm46::storage
