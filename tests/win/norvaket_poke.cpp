// A small remote control for the end-to-end test: finds the running program's
// hidden main window and its dialogs and sends them what the shell or the
// user would.
//   find              exit 0 when the window exists, and print how many there are
//   icon              exit 0 when the shell holds the program's tray icon
//   menu-exit         right-click the icon, then choose "終了(&X)" with its access key
//   menu-about        right-click the icon, then choose "バージョン情報(&A)"; wait for the box
//   close             send WM_CLOSE, as a task manager's "end task" does
//   double-click      double-click the icon
//   options           double-click the icon and wait for the options dialog
//   dialogs           print how many options dialogs and about boxes are open
//   click NAME        press a control of the open dialog (chkNotifyAtRun, cmdApply, cmdOK, ...)
//   enabled NAME      print 1 when that control is enabled, else 0
//   checked NAME      print the check state of a check box
//   tab N             select tab N of the options dialog with the arrow keys
//   rect options|about  print the dialog's screen rectangle as WxH+X+Y
//   type NAME TEXT    set the text of a value box (txtCV2Value, txtCV0Value)
//   post-click NAME   press a button of the open options dialog without waiting for it
//   error-box         wait for the dialog's error message box
//   end-session       the session ends: WM_QUERYENDSESSION, then WM_ENDSESSION
//   taskbar-created   broadcast TaskbarCreated while the icon is there, then double-click
//                     the icon: exit 0 when the options dialog opens within 2 s
#include <windows.h>
// after <windows.h>, which they need
#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "options/options_controls.h"
#include "platform/win32/about_box.h"
#include "platform/win32/options_dialog.h"

namespace {

using norvaket::win32::AboutBox;
using norvaket::win32::OptionsDialog;

constexpr wchar_t kMainWindowClass[] = L"Norvaket.frmMain";
constexpr wchar_t kDialogClass[] = L"#32770";
constexpr wchar_t kOptionsCaption[] = L"オプション";
constexpr wchar_t kAboutCaptionEnd[] = L" のバージョン情報";
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

std::wstring TextOf(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

bool IsAboutCaption(const std::wstring& caption) {
  const std::wstring end = kAboutCaptionEnd;
  return caption.size() > end.size() &&
         caption.compare(caption.size() - end.size(), end.size(), end) == 0;
}

std::vector<HWND> Dialogs(bool about) {
  std::vector<HWND> found;
  HWND window = nullptr;
  while ((window = FindWindowExW(nullptr, window, kDialogClass, nullptr)) != nullptr) {
    if (!IsWindowVisible(window)) continue;
    const std::wstring caption = TextOf(window);
    if (about ? IsAboutCaption(caption) : caption == kOptionsCaption) found.push_back(window);
  }
  return found;
}

// The window `find` returns, asked every 50 ms up to `tries` times; null when none came.
template <typename Find>
HWND WaitFor(int tries, Find find) {
  for (int i = 0; i < tries; ++i) {
    if (HWND window = find()) return window;
    Sleep(50);
  }
  return nullptr;
}

HWND VisibleWindow(const wchar_t* window_class, const wchar_t* caption) {
  HWND window = FindWindowW(window_class, caption);
  return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

HWND WaitForDialog(bool about) {
  return WaitFor(200, [about]() -> HWND {
    const std::vector<HWND> found = Dialogs(about);
    return found.empty() ? nullptr : found.front();
  });
}

HWND WaitForMenu() {
  return WaitFor(100, [] { return VisibleWindow(L"#32768", nullptr); });
}

int ControlId(const std::string& name) {
  if (const auto box = norvaket::CheckBoxNamed(name)) {
    return OptionsDialog::kFirstCheckBoxId + static_cast<int>(*box);
  }
  if (const auto box = norvaket::ValueBoxNamed(name)) {
    return OptionsDialog::kFirstValueBoxId + static_cast<int>(*box);
  }
  if (name == "cmdOK") return IDOK;
  if (name == "cmdCancel") return IDCANCEL;
  if (name == "cmdApply") return OptionsDialog::kApplyId;
  if (name == "lblURL0") return AboutBox::kFirstLinkId;
  if (name == "lblURL1") return AboutBox::kFirstLinkId + 1;
  return 0;
}

struct ChildSearch {
  int id;
  HWND found;
};

BOOL CALLBACK MatchId(HWND window, LPARAM lparam) {
  auto* search = reinterpret_cast<ChildSearch*>(lparam);
  if (GetDlgCtrlID(window) != search->id) return TRUE;
  search->found = window;
  return FALSE;
}

// The named control in the open options dialog, else in the open about box.
HWND FindControl(const std::string& name) {
  const int id = ControlId(name);
  if (id == 0) return nullptr;
  for (bool about : {false, true}) {
    for (HWND dialog : Dialogs(about)) {
      ChildSearch search{id, nullptr};
      EnumChildWindows(dialog, MatchId, reinterpret_cast<LPARAM>(&search));
      if (search.found != nullptr) return search.found;
    }
  }
  return nullptr;
}

std::string Narrow(const wchar_t* text) {
  std::string narrow;
  for (; *text != L'\0'; ++text) narrow += static_cast<char>(*text);
  return narrow;
}

int SelectTab(int tab) {
  const std::vector<HWND> dialogs = Dialogs(false);
  if (dialogs.empty()) return 1;
  HWND strip = GetDlgItem(dialogs.front(), OptionsDialog::kTabStripId);
  if (strip == nullptr) return 1;
  for (int i = 0; i < 4; ++i) {
    const int current = static_cast<int>(SendMessageW(strip, TCM_GETCURSEL, 0, 0)) + 1;
    if (current == tab) return 0;
    const WPARAM key = current < tab ? VK_RIGHT : VK_LEFT;
    SendMessageW(strip, WM_KEYDOWN, key, 0);
    SendMessageW(strip, WM_KEYUP, key, 0);
  }
  return 1;
}

void RightClickIcon(HWND main_window) {
  PostMessageW(main_window, kTrayCallbackMessage, 1, WM_RBUTTONUP);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const std::vector<HWND> windows = MainWindows();
  const std::wstring command = argv[1];
  const std::string argument = argc > 2 ? Narrow(argv[2]) : std::string();
  if (command == L"dialogs") {
    std::printf("%zu %zu\n", Dialogs(false).size(), Dialogs(true).size());
    return 0;
  }
  if (command == L"click" || command == L"enabled" || command == L"checked") {
    HWND control = FindControl(argument);
    if (control == nullptr) return 3;
    if (command == L"enabled") std::printf("%d\n", IsWindowEnabled(control) ? 1 : 0);
    if (command == L"checked")
      std::printf("%d\n", static_cast<int>(SendMessageW(control, BM_GETCHECK, 0, 0)));
    if (command == L"click") {
      // A link label reports a mouse click; a button takes BM_CLICK.
      if (argument.rfind("lblURL", 0) == 0) {
        SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), STN_CLICKED),
                     reinterpret_cast<LPARAM>(control));
      } else {
        SendMessageW(control, BM_CLICK, 0, 0);
      }
    }
    return 0;
  }
  if (command == L"type") {
    HWND control = FindControl(argument);
    if (control == nullptr || argc < 4) return 3;
    SetWindowTextW(control, argv[3]);
    return 0;
  }
  if (command == L"post-click") {
    HWND control = FindControl(argument);
    if (control == nullptr) return 3;
    return PostMessageW(GetParent(control), WM_COMMAND,
                        MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
                        reinterpret_cast<LPARAM>(control))
               ? 0
               : 1;
  }
  if (command == L"error-box") {
    return WaitFor(200, [] { return VisibleWindow(kDialogClass, L"エラー"); }) != nullptr ? 0 : 4;
  }
  if (command == L"tab") return SelectTab(std::atoi(argument.c_str()));
  if (command == L"rect") {
    const std::vector<HWND> found = Dialogs(argument == "about");
    if (found.empty()) return 1;
    RECT rect;
    GetWindowRect(found.front(), &rect);
    std::printf("%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left,
                rect.top);
    return 0;
  }

  std::printf("%zu\n", windows.size());
  if (windows.empty()) return 1;
  HWND main_window = windows.front();
  if (command == L"find") return 0;
  if (command == L"icon") return HasTrayIcon(main_window) ? 0 : 1;
  if (command == L"close") return PostMessageW(main_window, WM_CLOSE, 0, 0) ? 0 : 1;
  if (command == L"end-session") {
    DWORD_PTR answer = 0;
    // The window may be gone by the time the answer comes: the program ends.
    SendMessageTimeoutW(main_window, WM_QUERYENDSESSION, 0, 0, SMTO_BLOCK, 5000, &answer);
    SendMessageTimeoutW(main_window, WM_ENDSESSION, TRUE, 0, SMTO_BLOCK, 5000, &answer);
    return 0;
  }
  if (command == L"taskbar-created") {
    if (!HasTrayIcon(main_window)) return 3;
    PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    const DWORD started = GetTickCount();
    PostMessageW(main_window, kTrayCallbackMessage, 1, WM_LBUTTONDBLCLK);
    while (GetTickCount() - started < 2000) {
      if (!Dialogs(false).empty()) return 0;
      Sleep(20);
    }
    return 5;
  }
  if (command == L"double-click") {
    return PostMessageW(main_window, kTrayCallbackMessage, 1, WM_LBUTTONDBLCLK) ? 0 : 1;
  }
  if (command == L"options") {
    PostMessageW(main_window, kTrayCallbackMessage, 1, WM_LBUTTONDBLCLK);
    return WaitForDialog(false) != nullptr ? 0 : 4;
  }
  if (command == L"menu-exit" || command == L"menu-about") {
    RightClickIcon(main_window);
    HWND menu = WaitForMenu();
    if (menu == nullptr) return 3;
    PostMessageW(menu, WM_KEYDOWN, command == L"menu-exit" ? 'X' : 'A', 0);
    if (command == L"menu-about") return WaitForDialog(true) != nullptr ? 0 : 4;
    return 0;
  }
  return 2;
}
