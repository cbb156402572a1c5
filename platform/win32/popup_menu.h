#pragma once

#include <windows.h>

namespace norvaket::win32 {

// Command ids of the pop-up menu's items, as they arrive in WM_COMMAND.
enum MenuCommand : UINT {
  mnuSystemProp = 101,
  mnuOption = 103,
  mnuHelp = 104,
  mnuInfo = 105,
  mnuCloseWindow = 106,
};

// frmMenus: the pop-up menu of the tray icon. Its commands go to the owner
// window as WM_COMMAND, where the program handles them.
class PopupMenu {
 public:
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

 private:
  HMENU menu_ = nullptr;
};

}  // namespace norvaket::win32
