#include "tools/status/replay_session.h"

namespace norvaket::replay {

bool ReplaySession::CapturingShell::ShellNotifyIcon(NotifyMessage message,
                                                   const TrayIconRecord& record) {
  if (outcome == nullptr) return true;
  switch (message) {
    case NotifyMessage::Add:
      outcome->shell.push_back("add");
      break;
    case NotifyMessage::Modify:
      if (record.uFlags & kNifInfo) {
        outcome->shell.push_back("balloon");
        outcome->balloons.push_back(
            {record.szInfoTitle, record.szInfo, record.dwInfoFlags == kNiifWarning, record.urgent});
      } else {
        outcome->shell.push_back("modify");
      }
      break;
    case NotifyMessage::Delete:
      outcome->shell.push_back("delete");
      break;
  }
  return true;
}

ReplaySession::ReplaySession(const Settings& settings, TimeOfDay start_time)
    : settings_(settings),
      notify_icon_(shell_, waiter_),
      monitor_(settings_, source_, clock_, notify_icon_, WindowHandle{1}) {
  clock_.SetTimeOfDay(start_time.hour, start_time.minute, start_time.second);
}

ReplaySession::ReplaySession(const Settings& settings, const Clock& clock)
    : settings_(settings),
      notify_icon_(shell_, waiter_),
      monitor_(settings_, source_, clock, notify_icon_, WindowHandle{1}) {}

std::optional<EventOutcome> ReplaySession::Run(const ReplayEvent& event) {
  if (event.kind == EventKind::Clock) {
    clock_.SetTimeOfDay(event.time.hour, event.time.minute, event.time.second);
    return std::nullopt;
  }
  EventOutcome outcome;
  outcome.kind = event.kind;
  shell_.outcome = &outcome;
  source_.snapshot = event.snapshot;
  switch (event.kind) {
    case EventKind::Start:
      monitor_.AddTrayIcon();
      break;
    case EventKind::Tick:
      clock_.Advance(std::chrono::milliseconds{settings_.UpdateInterval});
      monitor_.UpdatePowerStatus();
      break;
    case EventKind::Resume:
      monitor_.OnPowerResume();
      break;
    case EventKind::Clock:
      break;
  }
  shell_.outcome = nullptr;
  outcome.status = monitor_.CurrentStatus();
  return outcome;
}

}  // namespace norvaket::replay
