#pragma once

#include <chrono>
#include <string>

#include "tray/notify_icon_record.h"
#include "tray/notify_shell.h"
#include "tray/waiter.h"

namespace norvaket {

// The one notify-icon record of the program and the three shell operations on it.
class NotifyIcon {
 public:
  static constexpr int kAddAttempts = 6;
  static constexpr std::chrono::milliseconds kAddRetryDelay{5000};

  NotifyIcon(NotifyShell& shell, Waiter& waiter) : shell_(shell), waiter_(waiter) {}

  // Up to six tries, each refusal followed by a five-second wait, then gives up silently.
  void NotifyIconAdd(WindowHandle window, std::int32_t icon, const std::string& tip);
  // Shows the icon again after the shell's taskbar was created anew. The shell may
  // still hold the icon, and it refuses to add an icon it holds, so a modify comes
  // first and an add only when the modify is refused: once, never waiting, since this
  // runs on the message loop.
  void NotifyIconRestore(WindowHandle window, std::int32_t icon, const std::string& tip);
  // Icon 0 and an empty tip keep the stored ones; an empty text means no balloon.
  void NotifyIconModify(std::int32_t icon, const std::string& tip, const std::string& text,
                        const std::string& title, bool warning, bool urgent = false);
  void NotifyIconDelete();

  const TrayIconRecord& Record() const { return record_; }

 private:
  void SetPlainRecord(WindowHandle window, std::int32_t icon, const std::string& tip);

  NotifyShell& shell_;
  Waiter& waiter_;
  TrayIconRecord record_;
};

}  // namespace norvaket
