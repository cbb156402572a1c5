#pragma once

#include <windows.h>
#include <shellapi.h>

#include "tray/notify_shell.h"
#include "tray/tray_icons.h"

namespace norvaket::win32 {

// The portable record as the shell's NOTIFYICONDATAW in the size with balloon
// fields. `icon` stands in for the record's icon id. Texts become UTF-16; the
// core has already cut them to the fields' sizes on character boundaries.
NOTIFYICONDATAW FromRecord(const TrayIconRecord& record, HICON icon);

// The notification area of the Windows shell, through Shell_NotifyIconW. Each
// call draws the record's icon id at the system's small-icon size and
// destroys the icon as soon as the shell has taken its copy.
class Win32NotifyShell final : public NotifyShell {
 public:
  explicit Win32NotifyShell(TrayIcons& icons) : icons_(icons) {}

  bool ShellNotifyIcon(NotifyMessage message, const TrayIconRecord& record) override;

 private:
  TrayIcons& icons_;
};

}  // namespace norvaket::win32
