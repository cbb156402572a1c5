#pragma once

#include <cstdint>

#include "resources/rgba_image.h"

namespace norvaket {

// The images of the tray icon ids, drawn at the pixel size the tray host wants
// (each host asks for its own size, and high-DPI hosts for larger ones).
class TrayIcons {
 public:
  virtual ~TrayIcons() = default;
  // An image that is not well formed means the id could not be drawn.
  virtual RgbaImage IconImage(std::int32_t icon_id, int size_px) = 0;
};

}  // namespace norvaket
