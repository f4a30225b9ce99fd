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

#include "storage/text_encoding.h"

namespace rvm46::storage {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t\v\f\r";

enum class Encoding { kUtf8, kGb18030 };

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

// The file's bytes, or nullopt when it is missing or cannot be read.
std::optional<std::string> ReadFileBytes(const fs::path& file) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return std::nullopt;
    return bytes;
}

// The file's text as UTF-8, without a byte order mark.
std::string DecodeText(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Bom)) bytes.remove_prefix(kUtf8Bom.size());
    if (IsValidUtf8(bytes)) return std::string(bytes);
    return Gb18030ToUtf8(bytes);
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

EditableProfile SplitForEditing(std::string_view bytes) {
    EditableProfile profile;
    if (bytes.starts_with(kUtf8Bom)) {
        profile.bom = true;
        bytes.remove_prefix(kUtf8Bom.size());
    }
    profile.encoding = IsValidUtf8(bytes) ? Encoding::kUtf8 : Encoding::kGb18030;
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
            profile.encoding == Encoding::kUtf8 ? line.content : Gb18030ToUtf8(line.content);
        profile.lines.push_back(std::move(line));
    }
    return profile;
}

std::string Join(const EditableProfile& profile) {
    std::string bytes = profile.bom ? std::string(kUtf8Bom) : std::string();
    for (const RawLine& line : profile.lines) bytes += line.content + line.ending;
    return bytes;
}

// The line in the file's encoding; nullopt when the text cannot be represented.
std::optional<std::string> EncodeLine(const EditableProfile& profile, const std::string& text) {
    if (profile.encoding == Encoding::kUtf8) {
        if (!IsValidUtf8(text)) return std::nullopt;
        return text;
    }
    return Utf8ToGb18030(text);
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
    const std::optional<std::string> bytes = ReadFileBytes(file);
    if (!bytes) return;
    const std::string text = DecodeText(*bytes);
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

bool ProfileWrite(const fs::path& file, std::string_view section, std::string_view key,
                  std::optional<std::string_view> value) {
    const std::string_view sectionName = Trim(section);
    const std::string_view keyName = Trim(key);
    // Names and values that could not be read back as written are refused.
    if (HasLineBreak(sectionName) || sectionName.find(']') != std::string_view::npos) return false;
    if (keyName.empty() || HasLineBreak(keyName) || keyName.find('=') != std::string_view::npos ||
        keyName.front() == ';' || keyName.front() == '[') {
        return false;
    }
    if (value && HasLineBreak(*value)) return false;

    try {
        // Through a symbolic link the file it points to is rewritten, not the link.
        fs::path target = file;
        std::error_code ec;
        if (fs::is_symlink(target, ec)) {
            const fs::path link = fs::read_symlink(target, ec);
            if (ec) return false;
            target = link.is_absolute() ? link : target.parent_path() / link;
        }

        const bool exists = fs::exists(target, ec);
        if (ec) return false;
        std::string original;
        if (exists) {
            std::optional<std::string> bytes = ReadFileBytes(target);
            if (!bytes) return false;
            original = std::move(*bytes);
        } else if (!value) {
            return true;  // nothing to remove
        }

        EditableProfile profile = SplitForEditing(original);
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
            return parsed.kind == ParsedLine::Kind::kEntry &&
                   EqualsIgnoringCase(parsed.name, keyName);
        };

        if (!value) {
            if (!header) return true;
            const auto first = lines.begin() + static_cast<std::ptrdiff_t>(*header + 1);
            const auto last = lines.begin() + static_cast<std::ptrdiff_t>(end);
            const auto kept = std::remove_if(first, last, isKeyLine);
            if (kept == last) return true;
            lines.erase(kept, last);
        } else {
            const std::optional<std::string> entry =
                EncodeLine(profile, std::string(keyName) + "=" + std::string(*value));
            if (!entry) return false;

            std::optional<std::size_t> keyLine;
            for (std::size_t i = header ? *header + 1 : end; i < end && !keyLine; ++i) {
                if (isKeyLine(lines[i])) keyLine = i;
            }
            if (keyLine) {
                lines[*keyLine].content = *entry;
            } else if (header) {
                std::size_t after = *header;
                for (std::size_t i = *header + 1; i < end; ++i) {
                    if (!IsBlank(lines[i])) after = i;
                }
                if (lines[after].ending.empty()) lines[after].ending = profile.newline;
                lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(after + 1),
                             RawLine{*entry, profile.newline, {}});
            } else {
                const std::optional<std::string> headerLine =
                    EncodeLine(profile, "[" + std::string(sectionName) + "]");
                if (!headerLine) return false;
                if (!lines.empty()) {
                    if (lines.back().ending.empty()) lines.back().ending = profile.newline;
                    if (!IsBlank(lines.back())) lines.push_back(RawLine{{}, profile.newline, {}});
                }
                lines.push_back(RawLine{*headerLine, profile.newline, {}});
                lines.push_back(RawLine{*entry, profile.newline, {}});
            }
        }

        const std::string updated = Join(profile);
        if (exists && updated == original) return true;
        return ReplaceFile(target, updated);
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace rvm46::storage
