#include "platform/win32/popup_menu.h"

#include <string>

#include "platform/win32/message_pump.h"
#include "platform/win32/utf16.h"

namespace norvaket::win32 {
namespace {

struct MenuItem {
  UINT id;
  const char* caption;  // nullptr: a separator line
  bool enabled;
};

// "&" marks each item's access key.
constexpr MenuItem kItems[] = {
    {mnuSystemProp, "電源のプロパティを開く(&P)", true},
    {0, nullptr, true},
    {mnuOption, "オプション(&O)...", true},
    {mnuHelp, "ヘルプ(&H)...", false},  // defined, but it has no command
    {mnuInfo, "バージョン情報(&A)", true},
    {mnuCloseWindow, "終了(&X)", true},
};

}  // namespace

bool PopupMenu::Create() {
  if (menu_ != nullptr) return true;
  menu_ = CreatePopupMenu();
  if (menu_ == nullptr) return false;
  for (const MenuItem& item : kItems) {
    if (item.caption == nullptr) {
      AppendMenuW(menu_, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const std::wstring caption = ToUtf16(item.caption);
    AppendMenuW(menu_, MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED), item.id,
                caption.c_str());
  }
  SetMenuDefaultItem(menu_, mnuOption, FALSE);
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

}  // namespace norvaket::win32
