#include "platform/win32/window_class.h"

namespace norvaket::win32 {

bool RegisterWindowClass(HINSTANCE instance, const WindowClass& window_class) {
  WNDCLASSEXW registered{};
  registered.cbSize = sizeof registered;
  registered.lpfnWndProc = window_class.window_proc;
  registered.hInstance = instance;
  registered.hIcon = window_class.icon;
  registered.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  registered.hbrBackground = window_class.background;
  registered.lpszClassName = window_class.name;
  registered.hIconSm = window_class.small_icon;
  return RegisterClassExW(&registered) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace norvaket::win32
