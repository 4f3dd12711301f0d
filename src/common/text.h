#pragma once

#include <string>

namespace common {

// The number of characters (code points) of a UTF-8 text: continuation bytes do not count.
inline int CharacterCount(const std::string& text) {
    int count = 0;
    for (unsigned char byte : text) count += (byte & 0xC0) != 0x80;
    return count;
}

// The number of bytes of the UTF-8 character starting at text[at] (1 for a stray byte), so that
// a walk over the text never splits a character.
inline std::size_t Utf8SequenceLength(const std::string& text, std::size_t at) {
    std::size_t length = 1;
    while (at + length < text.size() &&
           (static_cast<unsigned char>(text[at + length]) & 0xC0) == 0x80)
        ++length;
    return length;
}

// The text without its leading and trailing space characters; only " " counts as a space.
inline std::string TrimSpaces(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace common
