#include "resources/battery_layout.h"

#include <algorithm>
#include <cmath>

namespace norvaket {
namespace {

constexpr double kGrid = 16.0;

int ScaleEdge(double grid_position, int size) {
  return static_cast<int>(std::lround(grid_position * size / kGrid));
}

PixelRect ScaleRect(double left, double top, double right, double bottom, int size) {
  return {ScaleEdge(left, size), ScaleEdge(top, size), ScaleEdge(right, size), ScaleEdge(bottom, size)};
}

}  // namespace

BatteryLayout LayOutBattery(int size) {
  BatteryLayout layout;
  layout.outline = std::max(1, static_cast<int>(std::lround(size / 20.0)));
  layout.terminal = ScaleRect(0, 7, 2, 11, size);
  layout.body = ScaleRect(2, 4, 16, 14, size);
  layout.interior = layout.body.Inset(layout.outline);
  layout.left_tab = ScaleRect(2, 1, 6, 4, size);
  layout.right_tab = ScaleRect(12, 1, 16, 4, size);
  // Below 24 pixels a rounded corner is only a blurred pixel; keep it square there.
  layout.corner_radius = size >= 24 ? size / kGrid : 0.0;
  // A little taller than the body so the disc stands out from the grey battery.
  layout.badge_radius = (layout.body.Height() + 2 * layout.outline) / 2.0;
  layout.badge_centre_x = layout.body.right - layout.badge_radius;
  layout.badge_centre_y = (layout.body.top + layout.body.bottom) / 2.0;
  return layout;
}

int ChargeBarLength(int interior_width, int level) {
  if (level <= 0 || interior_width <= 0) return 0;
  if (level >= 10) return interior_width;
  const int length = static_cast<int>(std::lround(interior_width * level / 10.0));
  return std::clamp(length, 1, interior_width);
}

}  // namespace norvaket
