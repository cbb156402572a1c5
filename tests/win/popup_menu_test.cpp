#include "platform/win32/popup_menu.h"

#include <gtest/gtest.h>

#include "platform/win32/utf16.h"

namespace norvaket::win32 {
namespace {

// The menu model's captions and states are the model's; here only that every item
// of it becomes a menu item whose id leads back to its command.
TEST(PopupMenuTest, BuildsEveryItemOfTheMenuModel) {
  PopupMenu frmMenus;
  ASSERT_TRUE(frmMenus.Create());
  HMENU menu = frmMenus.Handle();
  ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(kTrayMenuItems.size()));
  for (int position = 0; position < GetMenuItemCount(menu); ++position) {
    const MenuItem& expected = kTrayMenuItems[position];
    SCOPED_TRACE(expected.name);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    wchar_t caption[64] = {};
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING;
    info.dwTypeData = caption;
    info.cch = 64;
    ASSERT_TRUE(GetMenuItemInfoW(menu, position, TRUE, &info));
    if (expected.command == MenuCommand::None) {
      EXPECT_TRUE(info.fType & MFT_SEPARATOR);
      continue;
    }
    EXPECT_EQ(PopupMenu::CommandOfId(info.wID), expected.command);
    EXPECT_EQ(std::wstring(caption), ToUtf16(expected.caption));
    EXPECT_EQ((info.fState & MFS_DISABLED) == 0, expected.enabled);
    EXPECT_EQ((info.fState & MFS_DEFAULT) != 0, expected.is_default);
  }
}

TEST(PopupMenuTest, AnIdOfNoItemHasNoCommand) {
  EXPECT_EQ(PopupMenu::CommandOfId(0), std::nullopt);
  EXPECT_EQ(PopupMenu::CommandOfId(PopupMenu::kFirstItemId + kTrayMenuItems.size()),
            std::nullopt);
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
