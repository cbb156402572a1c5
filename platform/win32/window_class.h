#pragma once

#include <windows.h>

namespace norvaket::win32 {

// What differs between the window classes of this program; every one of them has
// the arrow cursor.
struct WindowClass {
  const wchar_t* name = nullptr;
  WNDPROC window_proc = nullptr;
  HICON icon = nullptr;
  HICON small_icon = nullptr;
  HBRUSH background = nullptr;
};

// True once the class is registered, by this call or by an earlier one: each new
// window of a class asks again.
bool RegisterWindowClass(HINSTANCE instance, const WindowClass& window_class);

}  // namespace norvaket::win32
