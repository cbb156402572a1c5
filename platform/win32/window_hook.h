#pragma once

#include <windows.h>

#include <functional>

#include "core/resume_watch.h"

namespace norvaket::win32 {

// Watches a window's messages for the resume notices by putting HookProc in
// front of its window procedure. The saved procedure and the watch live here;
// HookProc finds this object through a property of the window, so nothing is
// global and two hooked windows do not share state.
class WindowHook {
 public:
  explicit WindowHook(std::function<void()> on_power_resume)
      : watch_(std::move(on_power_resume)) {}
  WindowHook(const WindowHook&) = delete;
  WindowHook& operator=(const WindowHook&) = delete;
  // Puts the previous procedure back if the window is still hooked.
  ~WindowHook();

  void HookWindow(HWND window);
  void UnhookWindow(HWND window);
  bool Hooked() const { return window_ != nullptr; }

  // Examines the message (unless an earlier one is still being examined), then
  // passes it on unchanged, exactly once, and returns what the previous
  // procedure returned. It never answers a message itself.
  static LRESULT CALLBACK HookProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  ResumeWatch watch_;
  HWND window_ = nullptr;
  WNDPROC saved_window_procedure_ = nullptr;
};

}  // namespace norvaket::win32
