#pragma once

#include <string>

namespace common {

// The number of characters (code points) of a UTF-8 text: continuation bytes do not count.
inline int CharacterCount(const std::string& text) {
    int count = 0;
    for (unsigned char byte : text) count += (byte & 0xC0) != 0x80;
    return count;
}

}  // namespace common
