#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "resources/rgba_image.h"

namespace norvaket {

// The image as a PNG file (8-bit RGBA, no interlace). The pixel data goes into
// uncompressed deflate blocks: icons are small, and this needs no zlib, which
// the Windows cross build could not link. Nothing for an ill-formed image.
std::optional<std::vector<std::uint8_t>> EncodePng(const RgbaImage& image);

}  // namespace norvaket
