#include "platform/win32/painted_tray_icons.h"

#include "resources/icon_painter.h"

namespace norvaket::win32 {

RgbaImage PaintedTrayIcons::IconImage(std::int32_t icon_id, int size_px) {
  // Straight RGBA, top row first; CreateIconFromImage turns it into the BGRA
  // bitmap that icons are made of.
  return PaintTrayIcon(icon_id, size_px);
}

}  // namespace norvaket::win32
