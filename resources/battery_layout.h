#pragma once

#include "resources/pixel_geometry.h"

namespace norvaket {

// Where the parts of the tray battery lie in a square icon of `size` pixels. The
// layout is drawn on a 16-pixel grid and scaled, with every edge rounded to a
// whole pixel, so the 16-pixel icon is exact and larger ones keep its proportions.
struct BatteryLayout {
  PixelRect terminal;
  PixelRect body;      // outer edge of the outline
  PixelRect interior;  // inside the outline; the charge bar lives here
  PixelRect left_tab;
  PixelRect right_tab;
  int outline = 1;
  double corner_radius = 0.0;           // of the body; the interior's is smaller by `outline`
  double badge_centre_x = 0.0;          // the circular badge of the unknown state
  double badge_centre_y = 0.0;
  double badge_radius = 0.0;
};

BatteryLayout LayOutBattery(int size);

// Length in pixels of the charge bar for icon level 0..10 in an interior of the
// given width: none at 0, at least one pixel from level 1, the whole width at 10.
int ChargeBarLength(int interior_width, int level);

}  // namespace norvaket
