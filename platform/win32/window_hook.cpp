#include "platform/win32/window_hook.h"

namespace norvaket::win32 {
namespace {

constexpr wchar_t kHookProperty[] = L"Norvaket.WindowHook";

WindowHook* HookOf(HWND window) { return static_cast<WindowHook*>(GetPropW(window, kHookProperty)); }

}  // namespace

WindowHook::~WindowHook() {
  if (window_ != nullptr && IsWindow(window_)) UnhookWindow(window_);
}

void WindowHook::HookWindow(HWND window) {
  // Hooking twice would save HookProc as its own predecessor.
  if (window_ != nullptr || HookOf(window) != nullptr) return;
  // The property first: the first message through HookProc must find us.
  SetPropW(window, kHookProperty, this);
  window_ = window;
  saved_window_procedure_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowHook::HookProc)));
}

void WindowHook::UnhookWindow(HWND window) {
  if (window != window_ || saved_window_procedure_ == nullptr) return;
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(saved_window_procedure_));
  RemovePropW(window, kHookProperty);
  saved_window_procedure_ = nullptr;
  window_ = nullptr;
}

LRESULT CALLBACK WindowHook::HookProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  WindowHook* hook = HookOf(window);
  if (hook == nullptr || hook->saved_window_procedure_ == nullptr) {
    return DefWindowProcW(window, message, wparam, lparam);
  }
  hook->watch_.Examine(message, wparam);
  // Kept before the call: passing the message on may unhook (a shutdown at the
  // session's end) or destroy the window.
  const WNDPROC previous = hook->saved_window_procedure_;
  if (message == WM_NCDESTROY) {
    // The window goes away hooked: its property must not outlive it.
    RemovePropW(window, kHookProperty);
    hook->saved_window_procedure_ = nullptr;
    hook->window_ = nullptr;
  }
  return CallWindowProcW(previous, window, message, wparam, lparam);
}

}  // namespace norvaket::win32
