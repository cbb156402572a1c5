#include "platform/win32/popup_menu.h"

#include <gtest/gtest.h>

#include <string>

namespace norvaket::win32 {
namespace {

struct ItemCase {
  UINT id;  // 0: separator
  const wchar_t* caption;
  bool enabled;
};

// The six items in order, with their access keys.
const ItemCase kExpected[] = {
    {mnuSystemProp, L"\u96FB\u6E90\u306E\u30D7\u30ED\u30D1\u30C6\u30A3\u3092\u958B\u304F(&P)", true},
    {0, L"", true},
    {mnuOption, L"\u30AA\u30D7\u30B7\u30E7\u30F3(&O)...", true},
    {mnuHelp, L"\u30D8\u30EB\u30D7(&H)...", false},
    {mnuInfo, L"\u30D0\u30FC\u30B8\u30E7\u30F3\u60C5\u5831(&A)", true},
    {mnuCloseWindow, L"\u7D42\u4E86(&X)", true},
};

TEST(PopupMenuTest, HoldsTheItemsInOrderWithCaptionsAndStates) {
  PopupMenu frmMenus;
  ASSERT_TRUE(frmMenus.Create());
  HMENU menu = frmMenus.Handle();
  ASSERT_EQ(GetMenuItemCount(menu), 6);
  for (int position = 0; position < 6; ++position) {
    const ItemCase& expected = kExpected[position];
    SCOPED_TRACE(position);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    wchar_t caption[64] = {};
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING;
    info.dwTypeData = caption;
    info.cch = 64;
    ASSERT_TRUE(GetMenuItemInfoW(menu, position, TRUE, &info));
    if (expected.id == 0) {
      EXPECT_TRUE(info.fType & MFT_SEPARATOR);
      continue;
    }
    EXPECT_EQ(info.wID, expected.id);
    EXPECT_STREQ(caption, expected.caption);
    EXPECT_EQ((info.fState & MFS_DISABLED) == 0, expected.enabled);
  }
}

TEST(PopupMenuTest, OptionsIsTheDefaultItem) {
  PopupMenu frmMenus;
  ASSERT_TRUE(frmMenus.Create());
  EXPECT_EQ(GetMenuDefaultItem(frmMenus.Handle(), FALSE, 0), static_cast<UINT>(mnuOption));
}

TEST(PopupMenuTest, DestroyReleasesTheMenu) {
  PopupMenu frmMenus;
  ASSERT_TRUE(frmMenus.Create());
  HMENU menu = frmMenus.Handle();
  frmMenus.Destroy();
  EXPECT_EQ(frmMenus.Handle(), nullptr);
  EXPECT_FALSE(IsMenu(menu));
}

}  // namespace
}  // namespace norvaket::win32
