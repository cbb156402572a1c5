// A small remote control for the end-to-end test: finds the running program's
// hidden main window and sends it what the shell or the user would.
//   find            exit 0 when the window exists, and print how many there are
//   icon            exit 0 when the shell holds the program's tray icon
//   menu-exit       right-click the icon, then choose "終了(&X)" with its access key
//   close           send WM_CLOSE, as a task manager's "end task" does
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

constexpr wchar_t kMainWindowClass[] = L"Norvaket.frmMain";
constexpr UINT kTrayCallbackMessage = 0x200;

std::vector<HWND> MainWindows() {
  std::vector<HWND> windows;
  HWND window = nullptr;
  while ((window = FindWindowExW(nullptr, window, kMainWindowClass, nullptr)) != nullptr) {
    windows.push_back(window);
  }
  return windows;
}

bool HasTrayIcon(HWND window) {
  NOTIFYICONDATAW probe{};
  probe.cbSize = NOTIFYICONDATAW_V2_SIZE;
  probe.hWnd = window;
  probe.uID = 1;
  // A modify that changes nothing succeeds only for an icon that exists.
  return Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
}

HWND WaitForMenu() {
  for (int i = 0; i < 100; ++i) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (menu != nullptr && IsWindowVisible(menu)) return menu;
    Sleep(50);
  }
  return nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const std::vector<HWND> windows = MainWindows();
  std::printf("%zu\n", windows.size());
  if (windows.empty()) return 1;
  HWND main_window = windows.front();
  if (std::wcscmp(argv[1], L"find") == 0) return 0;
  if (std::wcscmp(argv[1], L"icon") == 0) return HasTrayIcon(main_window) ? 0 : 1;
  if (std::wcscmp(argv[1], L"close") == 0) return PostMessageW(main_window, WM_CLOSE, 0, 0) ? 0 : 1;
  if (std::wcscmp(argv[1], L"menu-exit") == 0) {
    PostMessageW(main_window, kTrayCallbackMessage, 1, WM_RBUTTONUP);
    HWND menu = WaitForMenu();
    if (menu == nullptr) return 3;
    PostMessageW(menu, WM_KEYDOWN, 'X', 0);
    return 0;
  }
  return 2;
}
