#pragma once

#include <windows.h>

#include "tray/dialog_layout.h"

namespace norvaket::win32 {

// Dialog geometry is designed in twips (1/1440 inch; 15 twips are one pixel
// at 96 dpi). Positions are scaled to the dots per inch of the dialog.
inline constexpr int kTwipsPerInch = 1440;

inline int TwipsToPixels(int twips, int dpi) {
  return MulDiv(twips, dpi, kTwipsPerInch);
}

// A place in the dialog's pixels.
inline RECT ToPixels(const TwipsBox& place, int dpi) {
  const int x = TwipsToPixels(place.left, dpi);
  const int y = TwipsToPixels(place.top, dpi);
  return RECT{x, y, x + TwipsToPixels(place.width, dpi), y + TwipsToPixels(place.height, dpi)};
}

}  // namespace norvaket::win32
