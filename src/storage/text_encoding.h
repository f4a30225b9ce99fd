#pragma once
// Character encodings of the profile files. Texts inside the program are UTF-8; a file written by
// hand in the Chinese code page is GB18030 (GBK is a subset of it), and is converted on the way
// in and out.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace rvm46::storage {

// True when text is well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool IsValidUtf8(std::string_view text);

// GB18030 bytes to UTF-8. A byte sequence that is not valid GB18030 becomes U+FFFD, so the
// result is always valid UTF-8.
std::string Gb18030ToUtf8(std::string_view text);

// GB18030 bytes to UTF-8; nullopt when the bytes are not valid GB18030.
std::optional<std::string> StrictGb18030ToUtf8(std::string_view text);

// UTF-16 (without byte order mark, in the given byte order) to UTF-8; nullopt for an odd number
// of bytes or an unpaired surrogate.
std::optional<std::string> Utf16ToUtf8(std::string_view bytes, bool bigEndian);

// UTF-8 to UTF-16 in the given byte order, without byte order mark; nullopt when text is not
// valid UTF-8.
std::optional<std::string> Utf8ToUtf16(std::string_view text, bool bigEndian);

// UTF-8 to GB18030; nullopt when text is not valid UTF-8 or cannot be converted.
std::optional<std::string> Utf8ToGb18030(std::string_view text);

// The first maxChars characters (code points) of the UTF-8 text; never splits a sequence.
// Bytes that do not form a valid sequence count as one character each.
std::string Utf8Prefix(std::string_view text, std::size_t maxChars);

}  // namespace rvm46::storage
