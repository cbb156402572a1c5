#include "platform/win32/placeholder_tray_icons.h"

#include <array>

namespace norvaket::win32 {
namespace {

using Rgb = std::array<std::uint8_t, 3>;

Rgb ColourOf(std::int32_t icon_id) {
  switch (icon_id / 100) {
    case 1:
      return {0x2E, 0x7D, 0x32};  // on AC power: green
    case 2:
      return {0xE6, 0x51, 0x00};  // on battery: orange
    case 3:
      return {0x15, 0x65, 0xC0};  // charging: blue
    default:
      return {0x75, 0x75, 0x75};  // no battery, unknown: grey
  }
}

}  // namespace

TrayIconImage PlaceholderTrayIcons::IconImage(std::int32_t icon_id, int size_px) {
  TrayIconImage image;
  if (size_px <= 0 || size_px > 256) return image;
  image.width = size_px;
  image.height = size_px;
  const Rgb colour = ColourOf(icon_id);
  image.rgba.reserve(static_cast<std::size_t>(size_px) * size_px * 4);
  for (int i = 0; i < size_px * size_px; ++i) {
    image.rgba.insert(image.rgba.end(), {colour[0], colour[1], colour[2], 0xFF});
  }
  return image;
}

}  // namespace norvaket::win32
