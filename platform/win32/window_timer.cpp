#include "platform/win32/window_timer.h"

namespace norvaket::win32 {

void WindowTimer::SetInterval(UINT interval_ms) {
  interval_ms_ = interval_ms;
  if (enabled_) SetTimer(window_, id_, interval_ms_, nullptr);
}

void WindowTimer::Enable() {
  if (window_ == nullptr) return;
  enabled_ = SetTimer(window_, id_, interval_ms_, nullptr) != 0;
}

void WindowTimer::Disable() {
  if (enabled_) KillTimer(window_, id_);
  enabled_ = false;
}

}  // namespace norvaket::win32
