#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "resources/rgba_image.h"

namespace norvaket {

// An .ico file holding each image as a 32-bit BGRA bitmap with its AND mask, in
// the order given. Bitmaps rather than embedded PNGs so that every consumer,
// down to the Windows resource compiler and old shells, reads every entry.
// Nothing when there is no image, an image is ill-formed or larger than 256 pixels.
std::optional<std::vector<std::uint8_t>> EncodeIco(const std::vector<RgbaImage>& images);

}  // namespace norvaket
