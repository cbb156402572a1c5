#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace norvaket {

// A picture as the painter hands it out: straight (not premultiplied) RGBA, four
// bytes per pixel, rows from top to bottom without padding. Straight alpha is what
// PNG, ICO and Qt's RGBA8888 format take as they are; a Win32 adapter that wants
// premultiplied BGRA converts.
struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;

  // True when the buffer holds exactly width x height pixels; writers refuse anything else.
  bool IsWellFormed() const {
    return width > 0 && height > 0 &&
           pixels.size() == static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
  }
};

}  // namespace norvaket
