#include <signal.h>
#include <sys/signalfd.h>

#include <chrono>
#include <iostream>
#include <memory>
#include <string>

#include "core/tray_view.h"
#include "platform/linux/unique_fd.h"
#include "platform/linux/zone_caching_clock.h"
#include "tools/status/battery_facts_json.h"
#include "tools/status/live_source.h"
#include "tools/status/live_status.h"
#include "tools/status/replay_clock.h"
#include "tools/status/replay_session.h"
#include "tools/status/status_json.h"

namespace norvaket::status_tool {
namespace {

void PrintLine(const std::string& line) {
  std::cout << line << "\n" << std::flush;
}

int PrintOnce(LiveSource& live, const Clock& clock) {
  const PowerStatus snapshot = live.Source().GetPowerStatus();
  const PowerState state = ClassifyPowerStatus(snapshot);
  // The evaluation stores the remaining time only in the three battery states.
  const std::int32_t life_time = state < psNoBattery ? snapshot.BatteryLifeTime : 0;
  const TrayView view = ChooseTrayView(state, snapshot, life_time, clock.Now());
  PrintLine(replay::LiveStatusJson(live.Name(), snapshot, state, view.TrayIconId, view.TrayTipText,
                                   BatteriesJson(live.Batteries()), live.Draws(), nullptr));
  return 0;
}

void PrintEvent(LiveSource& live, replay::ReplaySession& session, replay::EventKind kind) {
  replay::ReplayEvent event;
  event.kind = kind;
  event.snapshot = live.Source().GetPowerStatus();
  const std::optional<replay::EventOutcome> outcome = session.Run(event);
  if (!outcome) return;
  PrintLine(replay::LiveStatusJson(live.Name(), event.snapshot, ClassifyPowerStatus(event.snapshot),
                                   outcome->status.TrayIconId, outcome->status.TrayTipText,
                                   BatteriesJson(live.Batteries()), live.Draws(), &*outcome));
}

// SIGINT and SIGTERM, read from a descriptor instead of interrupting the program.
// Blocked before any source starts a thread, so that every thread inherits the mask.
linux_platform::UniqueFd BlockStopSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  if (sigprocmask(SIG_BLOCK, &signals, nullptr) != 0) return {};
  return linux_platform::UniqueFd(signalfd(-1, &signals, SFD_CLOEXEC | SFD_NONBLOCK));
}

}  // namespace

int RunLiveStatus(const StatusOptions& options, const Settings& settings) {
  linux_platform::UniqueFd stop;
  if (options.watch) {
    stop = BlockStopSignals();
    if (!stop.Valid()) {
      std::cerr << "norvaket-status: cannot watch for SIGINT and SIGTERM\n";
      return 1;
    }
  }
  std::string error;
  const std::unique_ptr<LiveSource> live = OpenLiveSource(options, error);
  if (!live) {
    std::cerr << "norvaket-status: " << error << "\n";
    return 1;
  }
  linux_platform::ZoneCachingClock system_clock;
  replay::ReplayClock start_clock;
  if (options.start_time) {
    start_clock.SetTimeOfDay(options.start_time->hour, options.start_time->minute,
                             options.start_time->second);
  }
  const Clock& clock = options.start_time ? static_cast<const Clock&>(start_clock) : system_clock;
  if (!options.watch) return PrintOnce(*live, clock);

  // With --start-time the clock moves by the update interval per tick, as in a replay.
  std::unique_ptr<replay::ReplaySession> session =
      options.start_time ? std::make_unique<replay::ReplaySession>(settings, *options.start_time)
                         : std::make_unique<replay::ReplaySession>(settings, system_clock);
  const std::chrono::milliseconds interval{settings.UpdateInterval};
  PrintEvent(*live, *session, replay::EventKind::Start);
  while (live->Wait(interval, stop.Get())) PrintEvent(*live, *session, replay::EventKind::Tick);
  return 0;
}

}  // namespace norvaket::status_tool
