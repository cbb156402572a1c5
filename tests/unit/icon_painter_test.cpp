#include "resources/icon_painter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>
#include <vector>

#include "core/icon_ids.h"
#include "resources/battery_layout.h"

namespace norvaket {
namespace {

struct Pixel {
  int r, g, b, a;
};

Pixel At(const RgbaImage& image, int x, int y) {
  const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) +
                         static_cast<std::size_t>(x)) * 4;
  return {image.pixels[i], image.pixels[i + 1], image.pixels[i + 2], image.pixels[i + 3]};
}

// Colour families, loose enough to survive a change of shade, tight enough to
// tell the parts apart.
bool IsOpaque(Pixel p) { return p.a == 255; }
bool IsBrightRed(Pixel p) { return IsOpaque(p) && p.r > 200 && p.g < 100 && p.b < 100; }
bool IsDarkRed(Pixel p) { return IsOpaque(p) && p.r > 80 && p.r < 170 && p.g < 60 && p.b < 60; }
bool IsYellow(Pixel p) { return IsOpaque(p) && p.r > 200 && p.g > 180 && p.b < 100; }
bool IsOlive(Pixel p) { return IsOpaque(p) && p.r > 70 && p.r < 150 && std::abs(p.r - p.g) < 20 && p.b < 60; }
bool IsGreen(Pixel p) { return IsOpaque(p) && p.g > 150 && p.r < 120 && p.b < 120; }
bool IsNeutral(Pixel p) { return IsOpaque(p) && std::abs(p.r - p.g) < 10 && std::abs(p.g - p.b) < 10; }
bool IsOutlineGrey(Pixel p) { return IsNeutral(p) && p.r > 90 && p.r < 140; }
bool IsEmptyGrey(Pixel p) { return IsNeutral(p) && p.r >= 40 && p.r < 80; }
bool IsNearBlack(Pixel p) { return IsOpaque(p) && p.r < 40 && p.g < 40 && p.b < 40; }
bool IsChargeBar(Pixel p) { return IsBrightRed(p) || IsYellow(p) || IsGreen(p); }

// The row through the middle of the body (rows 4..14 of the 16-pixel design).
int MiddleRow(int size) { return size * 9 / 16; }

int CountInRow(const RgbaImage& image, int y, bool (*matches)(Pixel)) {
  int count = 0;
  for (int x = 0; x < image.width; ++x) count += matches(At(image, x, y));
  return count;
}

int CountInRegion(const RgbaImage& image, int left, int top, int right, int bottom, bool (*matches)(Pixel)) {
  int count = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) count += matches(At(image, x, y));
  return count;
}

const std::vector<int> kSizes = {16, 24, 32, 48, 64, 17, 23, 33, 255, 256};

class EveryIdAndSizeTest : public ::testing::TestWithParam<int> {};

TEST_P(EveryIdAndSizeTest, SquareOpaqueBatteryOnTransparentCorners) {
  const int size = GetParam();
  for (std::int32_t id : AllTrayIconIds()) {
    SCOPED_TRACE("id " + std::to_string(id));
    const RgbaImage image = PaintTrayIcon(id, size);
    ASSERT_TRUE(image.IsWellFormed());
    ASSERT_EQ(image.width, size);
    ASSERT_EQ(image.height, size);
    for (auto [x, y] : {std::pair{0, 0}, {size - 1, 0}, {0, size - 1}, {size - 1, size - 1}})
      EXPECT_EQ(At(image, x, y).a, 0) << x << "," << y;
    EXPECT_GT(CountInRegion(image, 0, 0, size, size, IsOpaque), size * size / 3);
    EXPECT_EQ(image.pixels, PaintTrayIcon(id, size).pixels) << "not deterministic";
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, EveryIdAndSizeTest, ::testing::ValuesIn(kSizes),
                         [](const auto& info) { return std::to_string(info.param) + "px"; });

// Relative luminance (WCAG 2) of an sRGB colour given as 0..255 channels.
double Luminance(double r, double g, double b) {
  const auto linear = [](double channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b);
}

double ContrastRatio(double luminance_a, double luminance_b) {
  return (std::max(luminance_a, luminance_b) + 0.05) / (std::min(luminance_a, luminance_b) + 0.05);
}

// The silhouette's edge is the outermost ring of opaque pixels: each one with a
// side on the image border or on a pixel that lets the panel through. Returns
// the lowest contrast of that ring against a panel of grey level `panel`.
double LowestEdgeContrast(const RgbaImage& image, int panel) {
  const auto opaque = [&image](int x, int y) {
    return x >= 0 && y >= 0 && x < image.width && y < image.height && IsOpaque(At(image, x, y));
  };
  const double panel_luminance = Luminance(panel, panel, panel);
  double lowest = 21.0;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      if (!opaque(x, y)) continue;
      if (opaque(x - 1, y) && opaque(x + 1, y) && opaque(x, y - 1) && opaque(x, y + 1)) continue;
      const Pixel p = At(image, x, y);
      lowest = std::min(lowest, ContrastRatio(Luminance(p.r, p.g, p.b), panel_luminance));
    }
  }
  return lowest;
}

class EdgeContrastTest : public ::testing::TestWithParam<int> {};

// On a black panel and on a white one every icon keeps its outline: 3:1 at least.
TEST_P(EdgeContrastTest, EveryIconStandsOutFromBlackAndWhitePanels) {
  const int size = GetParam();
  std::vector<std::pair<std::string, RgbaImage>> icons{{"program icon", PaintAppIcon(size)}};
  for (std::int32_t id : AllTrayIconIds()) icons.emplace_back("id " + std::to_string(id), PaintTrayIcon(id, size));
  for (const auto& [name, image] : icons) {
    for (int panel : {0, 255}) {
      EXPECT_GE(LowestEdgeContrast(image, panel), 3.0) << name << " on panel " << panel;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, EdgeContrastTest, ::testing::Values(16, 20, 22, 24, 32, 48, 64, 17, 33, 256),
                         [](const auto& info) { return std::to_string(info.param) + "px"; });

TEST(IconPainterTest, EveryImageDiffersFromEveryOtherAtTheSmallestSize) {
  std::vector<std::vector<std::uint8_t>> seen;
  const auto is_new = [&seen](const RgbaImage& image) {
    const bool found = std::find(seen.begin(), seen.end(), image.pixels) != seen.end();
    seen.push_back(image.pixels);
    return !found;
  };
  for (std::int32_t id : AllTrayIconIds()) EXPECT_TRUE(is_new(PaintTrayIcon(id, kMinIconSize))) << id;
  EXPECT_TRUE(is_new(PaintAppIcon(kMinIconSize))) << "program icon";
}

struct LevelCase {
  int level;
  bool (*interior)(Pixel);
  bool (*bar)(Pixel);
};

class LevelLookTest : public ::testing::TestWithParam<std::tuple<int, int>> {};

// Interior and bar colours by level, the same for all three states.
TEST_P(LevelLookTest, InteriorAndBarColoursFollowTheLevel) {
  const auto [state, size] = GetParam();
  const LevelCase cases[] = {
      {0, IsDarkRed, nullptr}, {1, IsDarkRed, IsBrightRed}, {2, IsOlive, IsYellow}, {3, IsOlive, IsYellow},
      {4, IsEmptyGrey, IsGreen}, {5, IsEmptyGrey, IsGreen}, {6, IsEmptyGrey, IsGreen}, {7, IsEmptyGrey, IsGreen},
      {8, IsEmptyGrey, IsGreen}, {9, IsEmptyGrey, IsGreen},        {10, nullptr, IsGreen},
  };
  const int y = MiddleRow(size);
  for (const LevelCase& c : cases) {
    SCOPED_TRACE("level " + std::to_string(c.level));
    const RgbaImage image = PaintTrayIcon(state * 100 + c.level, size);
    if (c.interior) {
      EXPECT_GT(CountInRow(image, y, c.interior), 0);
    }
    if (c.bar) {
      EXPECT_GT(CountInRow(image, y, c.bar), 0);
      EXPECT_EQ(CountInRow(image, y, c.bar), CountInRow(image, y, IsChargeBar)) << "bar of mixed colour";
    } else {
      EXPECT_EQ(CountInRow(image, y, IsChargeBar), 0);
    }
  }
}

// The bar grows from the right-hand end: it is one run that ends at the right
// outline, and every level adds to it until level 10 leaves no interior showing.
TEST_P(LevelLookTest, BarGrowsFromTheRightEndWithEveryLevel) {
  const auto [state, size] = GetParam();
  const int y = MiddleRow(size);
  int previous_length = -1;
  for (int level = 0; level <= 10; ++level) {
    SCOPED_TRACE("level " + std::to_string(level));
    const RgbaImage image = PaintTrayIcon(state * 100 + level, size);
    int first = -1;
    int last = -1;
    for (int x = 0; x < size; ++x) {
      if (!IsChargeBar(At(image, x, y))) continue;
      if (first < 0) first = x;
      last = x;
    }
    const int length = first < 0 ? 0 : last - first + 1;
    EXPECT_EQ(CountInRow(image, y, IsChargeBar), length) << "bar is not one run";
    EXPECT_GT(length, previous_length);
    previous_length = length;
    if (length > 0) {
      ASSERT_LT(last + 1, size);
      EXPECT_TRUE(IsOutlineGrey(At(image, last + 1, y))) << "bar does not reach the right outline";
      EXPECT_EQ(IsOutlineGrey(At(image, first - 1, y)), level == 10) << "only a full bar reaches the left outline";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(StatesAndSizes, LevelLookTest,
                         ::testing::Combine(::testing::Values(1, 2, 3), ::testing::Values(16, 24, 32, 48, 64, 33)),
                         [](const auto& info) {
                           return "state" + std::to_string(std::get<0>(info.param)) + "_" +
                                  std::to_string(std::get<1>(info.param)) + "px";
                         });

struct TabCase {
  std::int32_t id;
  int red_left, red_right, green_left, green_right;  // 1: some pixels there, 0: none
};

class TabTest : public ::testing::TestWithParam<int> {};

// Red tab on the right for battery, green on the left for charging, none otherwise;
// the tabs sit in the band above the body.
TEST_P(TabTest, TabColourAndSideFollowTheState) {
  const int size = GetParam();
  const TabCase cases[] = {
      {100, 0, 0, 0, 0}, {110, 0, 0, 0, 0}, {125, 0, 0, 0, 0}, {200, 0, 1, 0, 0}, {207, 0, 1, 0, 0},
      {225, 0, 1, 0, 0}, {300, 0, 0, 1, 0}, {310, 0, 0, 1, 0}, {325, 0, 0, 1, 0}, {900, 0, 0, 0, 0},
      {901, 0, 0, 0, 0},
  };
  const int band = size / 4;
  const int half = size / 2;
  for (const TabCase& c : cases) {
    SCOPED_TRACE("id " + std::to_string(c.id));
    const RgbaImage image = PaintTrayIcon(c.id, size);
    EXPECT_EQ(CountInRegion(image, 0, 0, half, band, IsBrightRed) > 0, c.red_left == 1);
    EXPECT_EQ(CountInRegion(image, half, 0, size, band, IsBrightRed) > 0, c.red_right == 1);
    EXPECT_EQ(CountInRegion(image, 0, 0, half, band, IsGreen) > 0, c.green_left == 1);
    EXPECT_EQ(CountInRegion(image, half, 0, size, band, IsGreen) > 0, c.green_right == 1);
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, TabTest, ::testing::Values(16, 24, 32, 48, 64, 17, 255),
                         [](const auto& info) { return std::to_string(info.param) + "px"; });

class SpecialFaceTest : public ::testing::TestWithParam<int> {};

TEST_P(SpecialFaceTest, UnknownLevelIsAYellowBatteryWithOliveOutline) {
  const int size = GetParam();
  const int y = MiddleRow(size);
  for (std::int32_t id : {125, 225, 325}) {
    SCOPED_TRACE("id " + std::to_string(id));
    const RgbaImage image = PaintTrayIcon(id, size);
    EXPECT_TRUE(IsYellow(At(image, size * 9 / 16, y)));
    EXPECT_GT(CountInRow(image, y, IsYellow), size / 2);
    EXPECT_EQ(CountInRow(image, y, IsNeutral), 0) << "outline should be olive";
    int leftmost = 0;
    while (!IsOpaque(At(image, leftmost, y))) ++leftmost;
    EXPECT_TRUE(IsOlive(At(image, leftmost, y))) << "terminal";
    EXPECT_TRUE(IsOlive(At(image, size - 1, y))) << "right outline";
  }
}

TEST_P(SpecialFaceTest, NoBatteryIsLightGreyAndEmptyUnknownAddsTheBadge) {
  const int size = GetParam();
  const RgbaImage no_battery = PaintTrayIcon(900, size);
  const RgbaImage unknown = PaintTrayIcon(901, size);
  // Anti-aliased corner pixels are partly transparent but still light grey.
  const auto is_light_grey = [](Pixel p) {
    return std::abs(p.r - p.g) < 10 && std::abs(p.g - p.b) < 10 && p.r >= 140;
  };
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const Pixel p = At(no_battery, x, y);
      if (p.a != 0) {
        ASSERT_TRUE(is_light_grey(p)) << x << "," << y;
      }
    }
  }
  // The badge: a yellow disc over the body's right part with a dark "!" in it.
  EXPECT_EQ(CountInRegion(no_battery, 0, 0, size, size, IsYellow), 0);
  EXPECT_GT(CountInRegion(unknown, size / 2, 0, size, size, IsYellow), size * size / 10);
  EXPECT_GT(CountInRegion(unknown, size / 2, 0, size, size, IsNearBlack), 0);
  EXPECT_EQ(CountInRegion(unknown, 0, 0, size / 4, size, IsYellow), 0) << "badge hides the terminal";
}

TEST_P(SpecialFaceTest, UnknownIdsDrawTheUnknownStateImage) {
  const int size = GetParam();
  const RgbaImage unknown = PaintTrayIcon(901, size);
  for (std::int32_t id : {0, 1, -1, -100, -201, 99, 111, 124, 126, 199, 211, 311, 400, 410, 899, 902, 1000,
                          INT_MIN, INT_MAX}) {
    EXPECT_EQ(PaintTrayIcon(id, size).pixels, unknown.pixels) << id;
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, SpecialFaceTest, ::testing::Values(16, 24, 32, 48, 64, 17, 31, 256),
                         [](const auto& info) { return std::to_string(info.param) + "px"; });

// Every size in the range, which is where off-by-one geometry and writes past the
// buffer (caught by the sanitizer build) hide.
TEST(IconPainterTest, EverySizeInTheRangePaintsInsideTheImage) {
  for (int size = kMinIconSize; size <= 80; ++size) {
    for (std::int32_t id : {100, 201, 310, 325, 901}) {
      const RgbaImage image = PaintTrayIcon(id, size);
      ASSERT_TRUE(image.IsWellFormed());
      ASSERT_EQ(image.width, size);
      EXPECT_EQ(At(image, 0, 0).a, 0) << size;
      EXPECT_EQ(At(image, size - 1, size - 1).a, 0) << size;
    }
    const RgbaImage app = PaintAppIcon(size);
    ASSERT_EQ(app.width, size);
    EXPECT_TRUE(IsOpaque(At(app, size / 2, size / 2)));
  }
}

TEST(IconPainterTest, SizesOutsideTheRangeAreDrawnAtTheNearestEnd) {
  for (int size : {INT_MIN, -5, 0, 1, 15}) {
    EXPECT_EQ(PaintTrayIcon(104, size).width, kMinIconSize) << size;
    EXPECT_EQ(PaintAppIcon(size).width, kMinIconSize) << size;
  }
  for (int size : {257, 1024, INT_MAX}) {
    EXPECT_EQ(PaintTrayIcon(104, size).height, kMaxIconSize) << size;
    EXPECT_EQ(PaintAppIcon(size).height, kMaxIconSize) << size;
  }
}

TEST(IconPainterTest, AppIconIsAWhiteBatteryOnATileWithRoundedCorners) {
  for (int size : {16, 20, 22, 24, 32, 48, 64, 128, 256}) {
    SCOPED_TRACE(size);
    const RgbaImage image = PaintAppIcon(size);
    ASSERT_EQ(image.width, size);
    EXPECT_LT(At(image, 0, 0).a, 128) << "corner not rounded";
    EXPECT_TRUE(IsOpaque(At(image, size / 2, 1))) << "tile edge";
    int white = 0;
    for (int x = 0; x < size; ++x) {
      const Pixel p = At(image, x, MiddleRow(size));
      white += p.r > 230 && p.g > 230 && p.b > 230;
    }
    EXPECT_GT(white, 0);
    EXPECT_GT(CountInRow(image, size / 2, IsGreen), 0);
    EXPECT_EQ(image.pixels, PaintAppIcon(size).pixels);
  }
}

TEST(BatteryLayoutTest, ChargeBarLength) {
  struct Case {
    int width, level, length;
  } const cases[] = {
      {12, 0, 0},  {12, 1, 1},  {12, 2, 2},   {12, 4, 5},   {12, 9, 11}, {12, 10, 12},
      {5, 1, 1},   {100, 5, 50}, {12, 11, 12}, {12, -3, 0},  {0, 5, 0},   {-4, 5, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ChargeBarLength(c.width, c.level), c.length) << c.width << " " << c.level;
}

TEST(BatteryLayoutTest, PartsStayInsideTheImageAndInOrder) {
  for (int size = kMinIconSize; size <= kMaxIconSize; ++size) {
    SCOPED_TRACE(size);
    const BatteryLayout l = LayOutBattery(size);
    EXPECT_GE(l.terminal.left, 0);
    EXPECT_EQ(l.terminal.right, l.body.left);
    EXPECT_LE(l.body.right, size);
    EXPECT_LE(l.body.bottom, size);
    EXPECT_GE(l.left_tab.top, 0);
    EXPECT_EQ(l.left_tab.bottom, l.body.top);
    EXPECT_EQ(l.right_tab.right, l.body.right);
    EXPECT_GE(l.interior.Width(), 10);
    EXPECT_GE(l.interior.Height(), 6);
    EXPECT_GE(l.badge_centre_x - l.badge_radius, l.body.left);
    EXPECT_LE(l.badge_centre_x + l.badge_radius, size);
    EXPECT_GE(l.badge_centre_y - l.badge_radius, 0);
    EXPECT_LE(l.badge_centre_y + l.badge_radius, size);
  }
}

}  // namespace
}  // namespace norvaket
