#pragma once

#include <windows.h>

namespace norvaket::win32 {

// Dialog geometry is designed in twips (1/1440 inch; 15 twips are one pixel
// at 96 dpi). Positions are scaled to the dots per inch of the dialog.
inline constexpr int kTwipsPerInch = 1440;

inline int TwipsToPixels(int twips, int dpi) {
  return MulDiv(twips, dpi, kTwipsPerInch);
}

// Left, top, width and height in twips, relative to the control's container.
struct TwipsRect {
  int left;
  int top;
  int width;
  int height;

  RECT ToPixels(int dpi) const {
    const int x = TwipsToPixels(left, dpi);
    const int y = TwipsToPixels(top, dpi);
    return RECT{x, y, x + TwipsToPixels(width, dpi), y + TwipsToPixels(height, dpi)};
  }
};

}  // namespace norvaket::win32
