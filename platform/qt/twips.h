#pragma once

#include <QPoint>
#include <QRect>

#include "tray/dialog_layout.h"

namespace norvaket::qt {

// Dialog geometry is designed in twips; 15 twips make one pixel at 96 dpi. Qt
// positions in device-independent pixels, so high-DPI screens scale it for us.
constexpr int TwipsToPixels(int twips) {
  return twips / 15;
}

constexpr QRect TwipsRect(int left, int top, int width, int height) {
  return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
               TwipsToPixels(height));
}

constexpr QRect TwipsRect(const TwipsBox& box) {
  return TwipsRect(box.left, box.top, box.width, box.height);
}

constexpr QPoint TwipsPoint(int x, int y) {
  return QPoint(TwipsToPixels(x), TwipsToPixels(y));
}

}  // namespace norvaket::qt
