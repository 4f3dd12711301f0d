#pragma once

#include <string>

namespace platform::media {

// The StreamTitle of an ICY metadata block ("StreamTitle='...';StreamUrl='...';"), in UTF-8.
// The title ends at the "';" that closes the field, not at the first "';" inside it. Text that
// is not valid UTF-8 is read as Windows-1252. Empty when the block has no title.
std::string IcyStreamTitle(const std::string& metadata);

// The text as UTF-8: valid UTF-8 stays as it is, anything else is read as Windows-1252.
std::string TextToUtf8(const std::string& text);

}  // namespace platform::media
