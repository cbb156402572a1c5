#include "tray/tray_mouse.h"

#include <gtest/gtest.h>

#include "tray/popup_menu.h"

namespace norvaket {
namespace {

TEST(TrayMouseTest, OnlyDoubleClickAndRightReleaseAct) {
  EXPECT_EQ(DispatchTrayMouseMessage(0x203), TrayMouseAction::OpenOptions);
  EXPECT_EQ(DispatchTrayMouseMessage(0x205), TrayMouseAction::ShowMenu);
  // move, left down/up, right down, right double-click, middle down/up/double-click
  for (std::uint32_t other : {0x200u, 0x201u, 0x202u, 0x204u, 0x206u, 0x207u, 0x208u, 0x209u, 0u}) {
    EXPECT_EQ(DispatchTrayMouseMessage(other), TrayMouseAction::None) << other;
  }
}

TEST(TrayMouseTest, DecodesPixelsAndOtherUnits) {
  EXPECT_EQ(DecodeTrayCallback(515, true, 1), 0x203u);
  // Twips: 15 per pixel at 96 dpi, 12 at 120 dpi.
  EXPECT_EQ(DecodeTrayCallback(515 * 15, false, 15), 0x203u);
  EXPECT_EQ(DecodeTrayCallback(517 * 12, false, 12), 0x205u);
  // Both are rounded to whole numbers before the integer division.
  EXPECT_EQ(DecodeTrayCallback(515 * 15 + 0.4, false, 14.6), 0x203u);
  EXPECT_EQ(DecodeTrayCallback(1000, false, 0.2), 0u);
}

TEST(PopupMenuTest, ItemsInOrderWithSeparatorAfterTheFirstAndOptionsAsDefault) {
  ASSERT_EQ(kTrayMenuItems.size(), 6u);
  EXPECT_STREQ(kTrayMenuItems[0].name, "mnuSystemProp");
  EXPECT_STREQ(kTrayMenuItems[1].caption, "-");
  EXPECT_STREQ(kTrayMenuItems[5].caption, "終了(&X)");
  int defaults = 0;
  for (const MenuItem& item : kTrayMenuItems) defaults += item.is_default ? 1 : 0;
  EXPECT_EQ(defaults, 1);
  EXPECT_TRUE(kTrayMenuItems[2].is_default);
  EXPECT_FALSE(kTrayMenuItems[3].enabled);
}

}  // namespace
}  // namespace norvaket
