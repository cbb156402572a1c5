#pragma once

#include <algorithm>

namespace norvaket {

// Integer pixel edges; right and bottom are exclusive.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return std::max(0, right - left); }
  int Height() const { return std::max(0, bottom - top); }
  bool IsEmpty() const { return Width() == 0 || Height() == 0; }
  PixelRect Inset(int by) const { return {left + by, top + by, right - by, bottom - by}; }
};

struct Rgba {
  unsigned char r = 0;
  unsigned char g = 0;
  unsigned char b = 0;
  unsigned char a = 255;
};

}  // namespace norvaket
