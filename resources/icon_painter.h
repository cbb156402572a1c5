#pragma once

#include <cstdint>

#include "resources/rgba_image.h"

namespace norvaket {

// Sizes the painter draws; a request outside is drawn at the nearest of the two
// (the returned image says which size it got).
inline constexpr int kMinIconSize = 16;
inline constexpr int kMaxIconSize = 256;

// The tray image of `icon_id` (100..110, 125, 200..210, 225, 300..310, 325, 900,
// 901) as a square image of `size` pixels on a transparent background. An id
// outside that set draws the image of 901, the unknown state, so a bad id can
// never leave the tray without an icon.
RgbaImage PaintTrayIcon(std::int32_t icon_id, int size);

// The program's own icon: the tray battery on a rounded blue tile.
RgbaImage PaintAppIcon(int size);

}  // namespace norvaket
