#include "platform/media/icy_title.h"

#include <cctype>
#include <cstdint>

namespace platform::media {
namespace {

constexpr const char* kTitleKey = "StreamTitle='";

// Windows-1252 bytes 0x80 to 0x9F; the five unassigned ones map to U+FFFD.
constexpr char32_t kWindows1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Length of the UTF-8 sequence starting at text[i], or 0 when it is not a valid one.
std::size_t Utf8SequenceLength(const std::string& text, std::size_t i) {
    const auto lead = static_cast<std::uint8_t>(text[i]);
    std::size_t length = 0;
    char32_t code = 0;
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, code = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto byte = static_cast<std::uint8_t>(text[i + k]);
        if ((byte & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte & 0x3F);
    }
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

bool IsValidUtf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8SequenceLength(text, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

// After the closing "';" comes the end of the block (NUL padding) or the next "Key='".
bool ClosesField(const std::string& metadata, std::size_t after) {
    std::size_t i = after;
    while (i < metadata.size() && metadata[i] == '\0') ++i;
    if (i == metadata.size()) return true;
    std::size_t key_end = i;
    while (key_end < metadata.size() && std::isalpha(static_cast<unsigned char>(metadata[key_end])))
        ++key_end;
    return key_end > i && metadata.compare(key_end, 2, "='") == 0;
}

}  // namespace

std::string TextToUtf8(const std::string& text) {
    if (IsValidUtf8(text)) return text;
    std::string out;
    for (unsigned char byte : text) {
        if (byte >= 0x80 && byte < 0xA0) {
            AppendUtf8(out, kWindows1252High[byte - 0x80]);
        } else {
            AppendUtf8(out, byte);
        }
    }
    return out;
}

std::string IcyStreamTitle(const std::string& metadata) {
    const std::size_t key = metadata.find(kTitleKey);
    if (key == std::string::npos) return {};
    const std::size_t start = key + std::char_traits<char>::length(kTitleKey);
    std::size_t end = metadata.find("';", start);
    while (end != std::string::npos && !ClosesField(metadata, end + 2))
        end = metadata.find("';", end + 1);
    // A block cut short: the title runs to the last quote, or to the end.
    if (end == std::string::npos) {
        end = metadata.rfind('\'');
        if (end == std::string::npos || end < start) end = metadata.find('\0', start);
    }
    return TextToUtf8(metadata.substr(start, end == std::string::npos ? end : end - start));
}

}  // namespace platform::media
