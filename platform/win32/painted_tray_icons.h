#pragma once

#include "tray/tray_icons.h"

namespace norvaket::win32 {

// The tray images drawn by the icon painter at the size the shell asks for,
// so the notification area shows crisp icons at any DPI.
class PaintedTrayIcons final : public TrayIcons {
 public:
  RgbaImage IconImage(std::int32_t icon_id, int size_px) override;
};

}  // namespace norvaket::win32
