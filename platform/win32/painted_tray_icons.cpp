#include "platform/win32/painted_tray_icons.h"

#include <utility>

#include "resources/icon_painter.h"

namespace norvaket::win32 {

TrayIconImage PaintedTrayIcons::IconImage(std::int32_t icon_id, int size_px) {
  RgbaImage painted = PaintTrayIcon(icon_id, size_px);
  TrayIconImage image;
  if (!painted.IsWellFormed()) return image;
  image.width = painted.width;
  image.height = painted.height;
  // Both are straight RGBA, top row first; CreateIconFromImage turns it into
  // the BGRA bitmap that icons are made of.
  image.rgba = std::move(painted.pixels);
  return image;
}

}  // namespace norvaket::win32
