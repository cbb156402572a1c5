#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/notification_rules.h"
#include "core/power_monitor.h"
#include "tray/no_wait.h"
#include "tools/status/replay_clock.h"
#include "tools/status/replay_trace.h"

namespace norvaket::replay {

// What one start, tick or resume did.
struct EventOutcome {
  EventKind kind = EventKind::Tick;
  StatusRecord status;
  std::vector<std::string> shell;  // "add", "modify", "balloon", "delete"
  std::vector<Balloon> balloons;   // as the shell received them, time stamp included
};

// Replays a trace through the real monitor with a scripted snapshot, a clock that
// moves by the update interval per tick, and a shell that accepts every add.
class ReplaySession {
 public:
  ReplaySession(const Settings& settings, TimeOfDay start_time);
  // Dates tooltips and balloons by `clock` (the live tool's real clock); ticks do not move it.
  ReplaySession(const Settings& settings, const Clock& clock);

  // Nothing for a clock line, which only sets the time.
  std::optional<EventOutcome> Run(const ReplayEvent& event);

 private:
  class ScriptedSource final : public PowerSource {
   public:
    PowerStatus GetPowerStatus() override { return snapshot; }
    PowerStatus snapshot;
  };

  class CapturingShell final : public NotifyShell {
   public:
    bool ShellNotifyIcon(NotifyMessage message, const TrayIconRecord& record) override;
    EventOutcome* outcome = nullptr;
  };

  Settings settings_;
  ReplayClock clock_;
  ScriptedSource source_;
  CapturingShell shell_;
  NoWait waiter_;
  NotifyIcon notify_icon_;
  PowerMonitor monitor_;
};

}  // namespace norvaket::replay
