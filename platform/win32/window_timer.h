#pragma once

#include <windows.h>

namespace norvaket::win32 {

// A timer of a window (SetTimer/KillTimer) with an interval and an enabled
// state that can be read back, as the program's two timers need.
class WindowTimer {
 public:
  WindowTimer(UINT_PTR id, UINT interval_ms) : id_(id), interval_ms_(interval_ms) {}
  WindowTimer(const WindowTimer&) = delete;
  WindowTimer& operator=(const WindowTimer&) = delete;

  void Attach(HWND window) { window_ = window; }
  UINT_PTR Id() const { return id_; }
  UINT Interval() const { return interval_ms_; }
  bool Enabled() const { return enabled_; }

  // Takes effect at once when the timer runs.
  void SetInterval(UINT interval_ms);
  void Enable();
  void Disable();

 private:
  UINT_PTR id_;
  UINT interval_ms_;
  HWND window_ = nullptr;
  bool enabled_ = false;
};

}  // namespace norvaket::win32
