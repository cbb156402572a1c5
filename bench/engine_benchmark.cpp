// The engine alone: one UpdatePowerStatus with nothing changed, and one that
// changes the state and shows balloons, against fakes.
#include <benchmark/benchmark.h>

#include "core/power_monitor.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_power_source.h"
#include "tray/no_wait.h"

namespace {

using namespace norvaket;

// Accepts every call and keeps nothing, so that the shell costs next to nothing.
class NullShell final : public NotifyShell {
 public:
  bool ShellNotifyIcon(NotifyMessage, const TrayIconRecord& record) override {
    balloons += (record.uFlags & kNifInfo) != 0;
    return true;
  }
  long balloons = 0;
};

struct Engine {
  explicit Engine(const Settings& chosen) : settings(chosen) {
    source.Set(0, 1, 85, 3600, 20000);
    monitor.AddTrayIcon();
    monitor.UpdatePowerStatus();
  }
  Settings settings;
  testing::FakePowerSource source;
  testing::FakeClock clock;
  NullShell shell;
  NoWait waiter;
  NotifyIcon notify_icon{shell, waiter};
  PowerMonitor monitor{settings, source, clock, notify_icon, 1};
};

void SteadyEvaluation(benchmark::State& state) {
  Engine engine(DefaultSettings());
  for (auto _ : state) engine.monitor.UpdatePowerStatus();
  benchmark::DoNotOptimize(engine.monitor.CurrentStatus());
}
BENCHMARK(SteadyEvaluation);

// Battery and AC power by turns with every notice on: each evaluation changes the
// state, refreshes the icon and shows a balloon with a time stamp.
void EvaluationWithStateChangeAndBalloons(benchmark::State& state) {
  Settings settings = DefaultSettings();
  settings.NotifyPS0 = settings.NotifyPS1 = settings.NotifyPS2 = kTrue;
  settings.NotifyRT = settings.NotifyLifePercent = settings.UseTimeStamp = kTrue;
  Engine engine(settings);
  bool on_battery = true;
  for (auto _ : state) {
    on_battery = !on_battery;
    if (on_battery) {
      engine.source.Set(0, 1, 85, 3600, 20000);
    } else {
      engine.source.Set(1, 8, 85, -1, -1);
    }
    engine.monitor.UpdatePowerStatus();
  }
  if (engine.shell.balloons < static_cast<long>(state.iterations()) / 2) {
    state.SkipWithError("fewer balloons than state changes");
  }
  state.counters["balloons"] = benchmark::Counter(static_cast<double>(engine.shell.balloons),
                                                  benchmark::Counter::kAvgIterations);
}
BENCHMARK(EvaluationWithStateChangeAndBalloons);

}  // namespace
