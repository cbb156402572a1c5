#pragma once

#include <windows.h>

#include "tray/dialog_layout.h"

namespace norvaket::win32 {

// Dialog geometry is designed in twips and scaled to the dots per inch of the
// dialog (TwipsToPixels, rounded as MulDiv rounds); Win32 wants the edges.
inline RECT ToRect(const PixelBox& box) {
  return RECT{box.left, box.top, box.Right(), box.Bottom()};
}

}  // namespace norvaket::win32
