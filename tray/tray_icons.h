#pragma once

#include <cstdint>
#include <vector>

namespace norvaket {

// One drawn icon: straight (not premultiplied) RGBA, 4 bytes per pixel, rows
// from top to bottom. An empty image means the id could not be drawn.
struct TrayIconImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;

  bool Empty() const { return width <= 0 || height <= 0 || rgba.empty(); }
};

// The images of the tray icon ids, drawn at the pixel size the tray host wants
// (each host asks for its own size, and high-DPI hosts for larger ones).
class TrayIcons {
 public:
  virtual ~TrayIcons() = default;
  virtual TrayIconImage IconImage(std::int32_t icon_id, int size_px) = 0;
};

}  // namespace norvaket
