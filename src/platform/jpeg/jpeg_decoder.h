#pragma once

#include <string>

#include "common/image.h"

namespace platform::jpeg {

// True when the file starts like a JPEG stream.
bool LooksLikeJpeg(const std::string& path);
// Decodes a JPEG file with libjpeg's default settings into 24-bit colour; false (and `image`
// untouched) when the file is missing or not a decodable JPEG. Any thread.
bool DecodeJpegFile(const std::string& path, common::Image& image);

}  // namespace platform::jpeg
