#include "platform/win32/popup_menu.h"

#include <string>

#include "platform/win32/message_pump.h"
#include "platform/win32/utf16.h"

namespace norvaket::win32 {

bool PopupMenu::Create() {
  if (menu_ != nullptr) return true;
  menu_ = CreatePopupMenu();
  if (menu_ == nullptr) return false;
  for (UINT index = 0; index < kTrayMenuItems.size(); ++index) {
    const MenuItem& item = kTrayMenuItems[index];
    if (item.command == MenuCommand::None) {
      AppendMenuW(menu_, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const std::wstring caption = ToUtf16(item.caption);
    AppendMenuW(menu_, MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED), kFirstItemId + index,
                caption.c_str());
    if (item.is_default) SetMenuDefaultItem(menu_, kFirstItemId + index, FALSE);
  }
  return true;
}

void PopupMenu::Destroy() {
  if (menu_ != nullptr) DestroyMenu(menu_);
  menu_ = nullptr;
}

void PopupMenu::Show(HWND owner) {
  if (menu_ == nullptr) return;
  // WORKAROUND: without the owner in the foreground the menu does not close
  // when the user clicks elsewhere.
  SetForegroundWindow(owner);
  ProcessWaitingMessages();
  POINT cursor{};
  GetCursorPos(&cursor);
  TrackPopupMenu(menu_, TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, owner, nullptr);
  // WORKAROUND: a second right-click on the icon would otherwise open the
  // menu only to close it at once; a posted message ends the menu's mode.
  PostMessageW(owner, WM_NULL, 0, 0);
}

std::optional<MenuCommand> PopupMenu::CommandOfId(UINT id) {
  if (id < kFirstItemId || id - kFirstItemId >= kTrayMenuItems.size()) return std::nullopt;
  return kTrayMenuItems[id - kFirstItemId].command;
}

}  // namespace norvaket::win32
