#pragma once

#include <cstdint>

#include "tray/notify_icon_record.h"

namespace norvaket {

enum class NotifyMessage : std::uint32_t { Add = 0, Modify = 1, Delete = 2 };

// The desktop's notification area: Shell_NotifyIconW, a Qt tray host, or a fake.
class NotifyShell {
 public:
  virtual ~NotifyShell() = default;
  // True when the shell accepted the call; only the add and the restore look at it.
  virtual bool ShellNotifyIcon(NotifyMessage message, const TrayIconRecord& record) = 0;
};

}  // namespace norvaket
