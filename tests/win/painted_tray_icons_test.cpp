#include "platform/win32/painted_tray_icons.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "core/icon_ids.h"
#include "platform/win32/icon_handle.h"
#include "resources/icon_painter.h"

namespace norvaket::win32 {
namespace {

struct IconSize {
  int width = 0;
  int height = 0;
};

IconSize SizeOf(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return {};
  BITMAP bitmap{};
  GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return {bitmap.bmWidth, bitmap.bmHeight};
}

TEST(PaintedTrayIconsTest, EveryIdBecomesAnIconAtTheSystemsSmallIconSize) {
  PaintedTrayIcons icons;
  const int size = GetSystemMetrics(SM_CXSMICON);
  ASSERT_GT(size, 0);
  for (std::int32_t id : AllTrayIconIds()) {
    const RgbaImage image = icons.IconImage(id, size);
    ASSERT_EQ(image.width, size) << id;
    ASSERT_EQ(image.height, size) << id;
    EXPECT_EQ(image.pixels, PaintTrayIcon(id, size).pixels) << id;
    UniqueIcon icon = CreateIconFromImage(image);
    ASSERT_NE(icon.Get(), nullptr) << id;
    const IconSize made = SizeOf(icon.Get());
    EXPECT_EQ(made.width, size) << id;
    EXPECT_EQ(made.height, size) << id;
  }
}

TEST(PaintedTrayIconsTest, SizesOutsideThePaintersRangeComeBackAtTheNearestEnd) {
  PaintedTrayIcons icons;
  EXPECT_EQ(icons.IconImage(104, 8).width, kMinIconSize);
  EXPECT_EQ(icons.IconImage(104, 1000).width, kMaxIconSize);
}

TEST(PaintedTrayIconsTest, StatesLookDifferent) {
  PaintedTrayIcons icons;
  EXPECT_NE(icons.IconImage(105, 16).pixels, icons.IconImage(205, 16).pixels);
  EXPECT_NE(icons.IconImage(205, 16).pixels, icons.IconImage(305, 16).pixels);
  EXPECT_NE(icons.IconImage(900, 16).pixels, icons.IconImage(901, 16).pixels);
}

}  // namespace
}  // namespace norvaket::win32
