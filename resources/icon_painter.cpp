#include "resources/icon_painter.h"

#include <algorithm>
#include <cmath>

#include "resources/battery_layout.h"
#include "resources/canvas.h"

namespace norvaket {
namespace {

// The ids are the power state times 100 plus the icon level 0..10, or plus 25
// when the level is unknown; 900 no battery; 901 unknown.
constexpr std::int32_t kStateAC = 1;
constexpr std::int32_t kStateBattery = 2;
constexpr std::int32_t kStateCharging = 3;
constexpr std::int32_t kLevelUnknown = 25;
constexpr std::int32_t kNoBatteryId = 900;

// Panels are black, white or anything between, and an icon must stand out from
// all of them. Every colour on the silhouette's edge (outline, terminal, tabs,
// badge rim) has a relative luminance between 0.1 and 0.3: a contrast of at
// least 3:1 against black and against white alike.
constexpr Rgba kOutline{112, 112, 112};
constexpr Rgba kDarkRed{120, 18, 18};
constexpr Rgba kBrightRed{255, 48, 40};
constexpr Rgba kOlive{118, 118, 20};
constexpr Rgba kYellow{255, 222, 40};
constexpr Rgba kEmpty{56, 56, 56};
constexpr Rgba kGreen{52, 204, 52};
constexpr Rgba kUnknownLevelOutline{98, 98, 0};
constexpr Rgba kTabRed{232, 30, 30};
constexpr Rgba kTabGreen{28, 160, 28};
constexpr Rgba kInactiveOutline{140, 140, 140};
constexpr Rgba kInactiveInterior{214, 214, 214};
constexpr Rgba kBadgeRim{122, 88, 0};
constexpr Rgba kBadgeYellow{255, 208, 0};
constexpr Rgba kBadgeGlyph{30, 30, 30};

enum class Face { kLevel, kLevelUnknown, kNoBattery, kUnknown };
enum class Tab { kNone, kLeft, kRight };

struct TrayIconLook {
  Face face = Face::kUnknown;
  int level = 0;
  Tab tab = Tab::kNone;
};

TrayIconLook DescribeTrayIcon(std::int32_t icon_id) {
  if (icon_id == kNoBatteryId) return {Face::kNoBattery, 0, Tab::kNone};
  const std::int32_t state = icon_id / 100;
  const std::int32_t rest = icon_id % 100;
  if (icon_id < 0 || state < kStateAC || state > kStateCharging) return {};
  const bool level_known = rest <= 10;
  if (!level_known && rest != kLevelUnknown) return {};
  const Tab tab = state == kStateBattery ? Tab::kRight : state == kStateCharging ? Tab::kLeft : Tab::kNone;
  return {level_known ? Face::kLevel : Face::kLevelUnknown, level_known ? rest : 0, tab};
}

struct LevelColours {
  Rgba interior;
  Rgba bar;
};

LevelColours ColoursForLevel(int level) {
  if (level <= 1) return {kDarkRed, kBrightRed};
  if (level <= 3) return {kOlive, kYellow};
  return {kEmpty, kGreen};
}

double InteriorRadius(const BatteryLayout& layout) {
  return std::max(0.0, layout.corner_radius - layout.outline);
}

void PaintBattery(Canvas& canvas, const BatteryLayout& layout, Rgba outline, Rgba interior) {
  // The terminal reaches under the body so its rounded right end never shows.
  PixelRect terminal_shape = layout.terminal;
  terminal_shape.right = layout.body.left + layout.outline;
  canvas.FillRoundedRect(terminal_shape, layout.corner_radius / 2, outline, layout.terminal);
  canvas.FillRoundedRect(layout.body, layout.corner_radius, outline);
  canvas.FillRoundedRect(layout.interior, InteriorRadius(layout), interior);
}

// The bar grows from the right-hand end, away from the terminal.
void PaintChargeBar(Canvas& canvas, const BatteryLayout& layout, int level, Rgba colour) {
  const PixelRect& interior = layout.interior;
  const int length = ChargeBarLength(interior.Width(), level);
  if (length == 0) return;
  const PixelRect bar{interior.right - length, interior.top, interior.right, interior.bottom};
  canvas.FillRoundedRect(interior, InteriorRadius(layout), colour, bar);
}

void PaintTab(Canvas& canvas, const BatteryLayout& layout, Tab tab) {
  if (tab == Tab::kNone) return;
  const PixelRect& rect = tab == Tab::kRight ? layout.right_tab : layout.left_tab;
  // Only the top corners are rounded: the shape runs on under the body.
  PixelRect shape = rect;
  shape.bottom += static_cast<int>(std::ceil(layout.corner_radius));
  canvas.FillRoundedRect(shape, layout.corner_radius / 2, tab == Tab::kRight ? kTabRed : kTabGreen, rect);
}

// A yellow disc with "!" over the right part of the body. Its bounding box lies
// on whole pixels and the glyph is centred exactly, so the mark stays sharp; the
// glyph is sized from the yellow inside the rim so it never touches the rim.
void PaintWarningBadge(Canvas& canvas, const BatteryLayout& layout) {
  const double radius = layout.badge_radius;
  const double centre_x = layout.badge_centre_x;
  const double centre_y = layout.badge_centre_y;
  canvas.FillCircle(centre_x, centre_y, radius, kBadgeRim);
  // Half a pixel more rim: where the disc's anti-aliased edge lets the panel
  // through, the first solid pixel inside is still rim, never the light yellow.
  canvas.FillCircle(centre_x, centre_y, radius - layout.outline - 0.5, kBadgeYellow);

  const int outer_diameter = static_cast<int>(std::lround(2 * radius));
  const double inner_diameter = 2 * (radius - layout.outline);
  int stroke = std::max(1, static_cast<int>(std::lround(inner_diameter * 0.16)));
  if ((outer_diameter - stroke) % 2 != 0) ++stroke;
  const int stroke_left = static_cast<int>(std::lround(centre_x - radius)) + (outer_diameter - stroke) / 2;
  const auto row = [&](double fraction) {
    return static_cast<int>(std::lround(centre_y + inner_diameter * fraction));
  };
  // A thick stroke on a small disc would push the dot onto the rim: the dot then
  // moves up, and the stroke ends a pixel above it.
  const int dot_top = std::min(row(0.2), row(0.42) - stroke);
  canvas.FillRect({stroke_left, row(-0.36), stroke_left + stroke, std::min(row(0.1), dot_top - 1)}, kBadgeGlyph);
  canvas.FillRect({stroke_left, dot_top, stroke_left + stroke, dot_top + stroke}, kBadgeGlyph);
}

}  // namespace

RgbaImage PaintTrayIcon(std::int32_t icon_id, int size) {
  size = std::clamp(size, kMinIconSize, kMaxIconSize);
  const BatteryLayout layout = LayOutBattery(size);
  const TrayIconLook look = DescribeTrayIcon(icon_id);
  Canvas canvas(size);
  switch (look.face) {
    case Face::kLevel: {
      const LevelColours colours = ColoursForLevel(look.level);
      PaintBattery(canvas, layout, kOutline, colours.interior);
      PaintChargeBar(canvas, layout, look.level, colours.bar);
      break;
    }
    case Face::kLevelUnknown:
      PaintBattery(canvas, layout, kUnknownLevelOutline, kYellow);
      break;
    case Face::kNoBattery:
      PaintBattery(canvas, layout, kInactiveOutline, kInactiveInterior);
      break;
    case Face::kUnknown:
      PaintBattery(canvas, layout, kInactiveOutline, kInactiveInterior);
      PaintWarningBadge(canvas, layout);
      break;
  }
  PaintTab(canvas, layout, look.tab);
  return canvas.TakeImage();
}

}  // namespace norvaket
