#pragma once

#include <chrono>
#include <vector>

#include "tray/notify_shell.h"
#include "tray/waiter.h"

namespace norvaket::testing {

// Keeps a copy of every record handed to the shell; refuses the first
// `refused_adds` adds and the first `refused_modifies` modifies.
class RecordingShell final : public NotifyShell {
 public:
  struct Call {
    NotifyMessage message;
    TrayIconRecord record;
  };

  bool ShellNotifyIcon(NotifyMessage message, const TrayIconRecord& record) override {
    calls.push_back({message, record});
    if (message == NotifyMessage::Add && refused_adds > 0) {
      --refused_adds;
      return false;
    }
    if (message == NotifyMessage::Modify && refused_modifies > 0) {
      --refused_modifies;
      return false;
    }
    return true;
  }

  std::vector<Call> calls;
  int refused_adds = 0;
  int refused_modifies = 0;
};

class RecordingWaiter final : public Waiter {
 public:
  void Sleep(std::chrono::milliseconds duration) override { waits.push_back(duration); }
  std::vector<std::chrono::milliseconds> waits;
};

}  // namespace norvaket::testing
