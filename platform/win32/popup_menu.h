#pragma once

#include <windows.h>

#include <optional>

#include "tray/popup_menu.h"

namespace norvaket::win32 {

// frmMenus: the pop-up menu of the tray icon, built from kTrayMenuItems. Its
// commands go to the owner window as WM_COMMAND, where the program handles them.
class PopupMenu {
 public:
  // An item's command id, as it arrives in WM_COMMAND: this + its index in kTrayMenuItems.
  static constexpr UINT kFirstItemId = 101;

  PopupMenu() = default;
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;
  ~PopupMenu() { Destroy(); }

  bool Create();
  void Destroy();
  HMENU Handle() const { return menu_; }

  // Brings the owner to the front, lets the waiting messages through, then
  // shows the menu at the mouse position; returns when the menu has closed.
  void Show(HWND owner);

  // The command of a WM_COMMAND id; nothing for an id that is no item's.
  static std::optional<MenuCommand> CommandOfId(UINT id);

 private:
  HMENU menu_ = nullptr;
};

}  // namespace norvaket::win32
