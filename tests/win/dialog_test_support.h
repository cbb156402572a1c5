#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/win32/utf16.h"

namespace norvaket::win32::testing {

// Runs an action on a timer of the thread's message loop: the way to act
// while a modal loop (a dialog's, a message box's) holds the test's thread.
class TimerAction {
 public:
  TimerAction(UINT delay_ms, std::function<bool()> action) : action_(std::move(action)) {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = &TimerAction::WindowProc;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = L"Norvaket.TestTimer";
    RegisterClassW(&window_class);
    window_ = CreateWindowW(L"Norvaket.TestTimer", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetTimer(window_, 1, delay_ms, nullptr);
  }
  TimerAction(const TimerAction&) = delete;
  TimerAction& operator=(const TimerAction&) = delete;
  ~TimerAction() { DestroyWindow(window_); }

  int Runs() const { return runs_; }

 private:
  // The action returns true when it is done; until then it runs on every tick.
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<TimerAction*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_TIMER && self != nullptr) {
      ++self->runs_;
      if (self->action_()) KillTimer(window, 1);
      return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
  }

  std::function<bool()> action_;
  HWND window_ = nullptr;
  int runs_ = 0;
};

// A message box of this thread, found by its title, with its text.
struct FoundMessageBox {
  HWND window = nullptr;
  std::string text;
};

inline BOOL CALLBACK CollectThreadWindow(HWND window, LPARAM lparam) {
  reinterpret_cast<std::vector<HWND>*>(lparam)->push_back(window);
  return TRUE;
}

inline FoundMessageBox FindMessageBox(const std::string& title) {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), CollectThreadWindow, reinterpret_cast<LPARAM>(&windows));
  for (HWND window : windows) {
    wchar_t class_name[32] = {};
    GetClassNameW(window, class_name, 32);
    wchar_t caption[64] = {};
    GetWindowTextW(window, caption, 64);
    if (std::wstring(class_name) != L"#32770" || ToUtf8(caption) != title ||
        !IsWindowVisible(window)) {
      continue;
    }
    wchar_t text[512] = {};
    GetDlgItemTextW(window, 0xFFFF, text, 512);  // the message box's text control
    return {window, ToUtf8(text)};
  }
  return {};
}

// The icon control of a message box (id 20 on Windows, 0x440 under Wine).
inline bool HasVisibleIcon(HWND message_box) {
  for (int id : {0x14, 0x440}) {
    HWND icon = GetDlgItem(message_box, id);
    if (icon != nullptr && IsWindowVisible(icon)) return true;
  }
  return false;
}

// Answers every message box titled `title` with OK and remembers its text and style.
class MessageBoxAnswerer {
 public:
  explicit MessageBoxAnswerer(std::string title)
      : timer_(30, [this, title = std::move(title)] {
          const FoundMessageBox found = FindMessageBox(title);
          if (found.window != nullptr) {
            texts.push_back(found.text);
            exclamation.push_back(HasVisibleIcon(found.window));
            SendMessageW(found.window, WM_COMMAND, IDOK, 0);
          }
          return false;
        }) {}

  std::vector<std::string> texts;
  std::vector<bool> exclamation;

 private:
  TimerAction timer_;
};

// A stand-in for the hidden main window: a top-level window with a class icon.
class OwnerWindow {
 public:
  OwnerWindow() {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = DefWindowProcW;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));    // IDI_APPLICATION
    window_class.hIconSm = LoadIconW(nullptr, MAKEINTRESOURCEW(32516));  // IDI_INFORMATION
    window_class.lpszClassName = L"Norvaket.TestOwner";
    RegisterClassExW(&window_class);
    window_ = CreateWindowExW(0, L"Norvaket.TestOwner", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 100,
                              100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  OwnerWindow(const OwnerWindow&) = delete;
  OwnerWindow& operator=(const OwnerWindow&) = delete;
  ~OwnerWindow() { DestroyWindow(window_); }
  HWND Handle() const { return window_; }

 private:
  HWND window_ = nullptr;
};

// Types into a box as the keyboard would: select all, then one character at a time.
inline void TypeText(HWND box, const std::string& text) {
  SendMessageW(box, EM_SETSEL, 0, -1);
  SendMessageW(box, WM_CLEAR, 0, 0);
  for (wchar_t ch : ToUtf16(text)) SendMessageW(box, WM_CHAR, ch, 1);
}

inline std::string WindowText(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return ToUtf8(text);
}

inline void PressKey(HWND window, WPARAM key) {
  SendMessageW(window, WM_KEYDOWN, key, 1);
  SendMessageW(window, WM_KEYUP, key, 0xC0000001);
}

}  // namespace norvaket::win32::testing
