#include <algorithm>
#include <cmath>

#include "resources/battery_layout.h"
#include "resources/canvas.h"
#include "resources/icon_painter.h"

namespace norvaket {
namespace {

constexpr Rgba kTile{34, 96, 168};
// A lighter rim keeps the tile's edge at 3:1 or more against black and white panels.
constexpr Rgba kTileEdge{70, 130, 210};
constexpr Rgba kBatteryOutline{248, 248, 248};
constexpr Rgba kBatteryInterior{16, 36, 66};
constexpr Rgba kBatteryBar{72, 214, 72};
constexpr int kShownLevel = 7;

int ScaleEdge(double grid_position, int size) {
  return static_cast<int>(std::lround(grid_position * size / 16.0));
}

PixelRect ScaleRect(double left, double top, double right, double bottom, int size) {
  return {ScaleEdge(left, size), ScaleEdge(top, size), ScaleEdge(right, size), ScaleEdge(bottom, size)};
}

}  // namespace

// The tray battery, white on a blue tile: the same family as the tray images, but
// a tile reads as a program in menus and task lists, and white on blue holds up
// on light and dark backgrounds alike.
RgbaImage PaintAppIcon(int size) {
  size = std::clamp(size, kMinIconSize, kMaxIconSize);
  Canvas canvas(size);
  const int edge = std::max(1, static_cast<int>(std::lround(size / 32.0)));
  const PixelRect tile{0, 0, size, size};
  const double tile_radius = size * 3.0 / 16.0;
  canvas.FillRoundedRect(tile, tile_radius, kTileEdge);
  canvas.FillRoundedRect(tile.Inset(edge), tile_radius - edge, kTile);

  const int outline = std::max(1, static_cast<int>(std::lround(size / 20.0)));
  const double radius = size >= 24 ? size / 16.0 : 0.0;
  const PixelRect terminal = ScaleRect(2, 6, 4, 10, size);
  const PixelRect body = ScaleRect(4, 4, 14, 12, size);
  const PixelRect interior = body.Inset(outline);
  const double interior_radius = std::max(0.0, radius - outline);
  PixelRect terminal_shape = terminal;
  terminal_shape.right = body.left + outline;
  canvas.FillRoundedRect(terminal_shape, radius / 2, kBatteryOutline, terminal);
  canvas.FillRoundedRect(body, radius, kBatteryOutline);
  canvas.FillRoundedRect(interior, interior_radius, kBatteryInterior);
  const int bar = ChargeBarLength(interior.Width(), kShownLevel);
  canvas.FillRoundedRect(interior, interior_radius, kBatteryBar,
                         {interior.right - bar, interior.top, interior.right, interior.bottom});
  return canvas.TakeImage();
}

}  // namespace norvaket
