#include "storage/text_encoding.h"

#include <iconv.h>

#include <cerrno>

namespace rvm46::storage {

namespace {

// Length of the well-formed UTF-8 sequence starting at text[pos], or 0 when there is none.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char minSecond = 0x80;
    unsigned char maxSecond = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) minSecond = 0xA0;  // overlong
        if (lead == 0xED) maxSecond = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) minSecond = 0x90;  // overlong
        if (lead == 0xF4) maxSecond = 0x8F;  // above U+10FFFF
    } else {
        return 0;
    }
    if (pos + length > text.size()) return 0;
    if (byte(pos + 1) < minSecond || byte(pos + 1) > maxSecond) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80) return 0;
    }
    return length;
}

class IconvHandle {
  public:
    IconvHandle(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~IconvHandle() {
        if (ok()) iconv_close(handle_);
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;

    bool ok() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much of the input as possible. Returns the errno of the stop (0 when all input
    // was converted); in and inLeft then describe the unconverted rest.
    int Convert(char*& in, std::size_t& inLeft, std::string& out) {
        char buffer[1024];
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t rc = iconv(handle_, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
            if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) return errno;
        }
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        iconv(handle_, nullptr, nullptr, &outPtr, &outLeft);  // flush any shift state
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        return 0;
    }

  private:
    iconv_t handle_;
};

// The whole text converted, or nullopt when any of it cannot be.
std::optional<std::string> ConvertWhole(const char* to, const char* from, std::string_view text) {
    IconvHandle cd(to, from);
    if (!cd.ok()) return std::nullopt;
    std::string input(text);
    char* in = input.data();
    std::size_t inLeft = input.size();
    std::string out;
    if (cd.Convert(in, inLeft, out) != 0) return std::nullopt;
    return out;
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = Utf8SequenceLength(text, pos);
        if (length == 0) return false;
        pos += length;
    }
    return true;
}

std::string Gb18030ToUtf8(std::string_view text) {
    std::string out;
    IconvHandle cd("UTF-8", "GB18030");
    if (!cd.ok()) {
        // No converter: keep ASCII, mark everything else as unreadable.
        for (const char c : text) {
            if (static_cast<unsigned char>(c) < 0x80) {
                out += c;
            } else {
                out += "\xEF\xBF\xBD";
            }
        }
        return out;
    }
    std::string input(text);
    char* in = input.data();
    std::size_t inLeft = input.size();
    while (inLeft > 0) {
        if (cd.Convert(in, inLeft, out) == 0) break;
        // Invalid or truncated sequence: replace one byte and go on after it.
        out += "\xEF\xBF\xBD";
        ++in;
        --inLeft;
    }
    return out;
}

std::optional<std::string> StrictGb18030ToUtf8(std::string_view text) {
    return ConvertWhole("UTF-8", "GB18030", text);
}

std::optional<std::string> Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    if (bytes.size() % 2 != 0) return std::nullopt;
    const auto unit = [&](std::size_t i) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    };
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        unsigned long cp = static_cast<unsigned long>(unit(i));
        if (cp >= 0xDC00 && cp <= 0xDFFF) return std::nullopt;
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            if (i + 2 >= bytes.size()) return std::nullopt;
            const unsigned long low = static_cast<unsigned long>(unit(i + 2));
            if (low < 0xDC00 || low > 0xDFFF) return std::nullopt;
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        }
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

std::optional<std::string> Utf8ToUtf16(std::string_view text, bool bigEndian) {
    std::string out;
    const auto put = [&](unsigned long u) {
        const char high = static_cast<char>((u >> 8) & 0xFF);
        const char low = static_cast<char>(u & 0xFF);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
    };
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = Utf8SequenceLength(text, pos);
        if (length == 0) return std::nullopt;
        const auto byte = [&](std::size_t i) {
            return static_cast<unsigned long>(static_cast<unsigned char>(text[pos + i]));
        };
        unsigned long cp = 0;
        switch (length) {
            case 1:
                cp = byte(0);
                break;
            case 2:
                cp = (byte(0) & 0x1F) << 6 | (byte(1) & 0x3F);
                break;
            case 3:
                cp = (byte(0) & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F);
                break;
            default:
                cp = (byte(0) & 0x07) << 18 | (byte(1) & 0x3F) << 12 | (byte(2) & 0x3F) << 6 |
                     (byte(3) & 0x3F);
                break;
        }
        if (cp >= 0x10000) {
            put(0xD800 + ((cp - 0x10000) >> 10));
            put(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            put(cp);
        }
        pos += length;
    }
    return out;
}

std::optional<std::string> Utf8ToGb18030(std::string_view text) {
    if (!IsValidUtf8(text)) return std::nullopt;
    return ConvertWhole("GB18030", "UTF-8", text);
}

std::string Utf8Prefix(std::string_view text, std::size_t maxChars) {
    std::size_t pos = 0;
    for (std::size_t chars = 0; chars < maxChars && pos < text.size(); ++chars) {
        const std::size_t length = Utf8SequenceLength(text, pos);
        pos += length == 0 ? 1 : length;
    }
    return std::string(text.substr(0, pos));
}

}  // namespace rvm46::storage
