// A million ticks of random snapshots under random settings through the monitor,
// with resumes and clock jumps in between: every record the shell receives stays
// within its limits, and the heap does not grow while it runs. Under the sanitizer
// preset this is also the leak and undefined-behaviour check of the engine.
#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <random>
#include <set>

#include "core/icon_ids.h"
#include "core/power_monitor.h"
#include "tray/utf16_limit.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_power_source.h"
#include "fakes/recording_shell.h"

#if defined(__has_include)
#if __has_include(<sanitizer/allocator_interface.h>) && defined(__SANITIZE_ADDRESS__)
#include <sanitizer/allocator_interface.h>
#define NORVAKET_ASAN_HEAP 1
#endif
#endif

namespace norvaket {
namespace {

using testing::FakeClock;
using testing::FakePowerSource;
using testing::RecordingWaiter;

constexpr int kTicks = 1'000'000;
constexpr int kWarmUpTicks = 100'000;

std::size_t HeapInUse() {
#ifdef NORVAKET_ASAN_HEAP
  return __sanitizer_get_current_allocated_bytes();
#else
  return mallinfo2().uordblks;
#endif
}

bool ValidUtf8(const std::string& text) {
  return CutToUtf16Units(text, text.size()) == text;
}

// Checks each record as it arrives and keeps none.
class CheckingShell final : public NotifyShell {
 public:
  bool ShellNotifyIcon(NotifyMessage message, const TrayIconRecord& record) override {
    ++calls;
    if (message == NotifyMessage::Delete) return true;
    if (!icon_ids_.contains(record.hIcon)) ++faults;
    if (Utf16Length(record.szTip) > kTipMaxUnits || !ValidUtf8(record.szTip)) ++faults;
    if (Utf16Length(record.szInfo) > kInfoMaxUnits || !ValidUtf8(record.szInfo)) ++faults;
    if (Utf16Length(record.szInfoTitle) > kInfoTitleMaxUnits || !ValidUtf8(record.szInfoTitle)) {
      ++faults;
    }
    if (record.uFlags & kNifInfo) ++balloons;
    return true;
  }

  long calls = 0;
  long balloons = 0;
  long faults = 0;

 private:
  const std::set<std::int32_t> icon_ids_ = [] {
    std::vector<std::int32_t> ids = AllTrayIconIds();
    return std::set<std::int32_t>(ids.begin(), ids.end());
  }();
};

class RandomWorld {
 public:
  explicit RandomWorld(unsigned seed) : random_(seed) {}

  // Mostly plausible readings, now and then anything at all.
  PowerStatus Snapshot() {
    PowerStatus status;
    if (Chance(10)) {
      status.ACLineStatus = Byte();
      status.BatteryFlag = Byte();
      status.BatteryLifePercent = Byte();
      status.BatteryLifeTime = static_cast<std::int32_t>(random_());
      status.BatteryFullLifeTime = static_cast<std::int32_t>(random_());
      return status;
    }
    const std::uint8_t ac_lines[] = {0, 1, 255};
    const std::uint8_t flags[] = {1, 2, 4, 8, 9, 10, 128, 255, 0};
    status.ACLineStatus = ac_lines[Below(3)];
    status.BatteryFlag = flags[Below(9)];
    status.BatteryLifePercent = Chance(20) ? 255 : static_cast<std::uint8_t>(Below(101));
    status.BatteryLifeTime = Chance(30) ? -1 : static_cast<std::int32_t>(Below(90'000));
    status.BatteryFullLifeTime = Chance(30) ? -1 : static_cast<std::int32_t>(Below(90'000));
    return status;
  }

  void Change(Settings& s) {
    for (Flag* flag : {&s.NotifyPS0, &s.NotifyPS1, &s.NotifyPS2, &s.NotifyRT, &s.NotifyCV0,
                       &s.NotifyCV1, &s.NotifyCV2, &s.NotifyCV4, &s.NotifyAtRun, &s.NotifyAtResume,
                       &s.NotifyLifePercent, &s.NotifyLifePercentAtRun, &s.UseTimeStamp}) {
      *flag = ToFlag(Chance(2));
    }
    s.NotifyCV0Value = static_cast<std::int32_t>(Below(101));
    s.NotifyCV2Value = static_cast<std::int32_t>(Below(101));
  }

  void MoveClock(FakeClock& clock) {
    clock.now.hour = static_cast<int>(Below(24));
    clock.now.minute = static_cast<int>(Below(60));
    clock.now.second = static_cast<int>(Below(60));
  }

  bool Chance(unsigned one_in) { return Below(one_in) == 0; }

 private:
  unsigned Below(unsigned bound) { return random_() % bound; }
  std::uint8_t Byte() { return static_cast<std::uint8_t>(random_()); }

  std::minstd_rand random_;
};

TEST(EngineSoakTest, AMillionRandomTicksStayInBoundsWithoutHeapGrowth) {
  Settings settings = DefaultSettings();
  FakePowerSource source;
  FakeClock clock;
  CheckingShell shell;
  RecordingWaiter waiter;
  NotifyIcon notify_icon(shell, waiter);
  PowerMonitor monitor(settings, source, clock, notify_icon, 7);
  RandomWorld world(20260601);

  source.status = world.Snapshot();
  monitor.AddTrayIcon();
  std::size_t heap_after_warm_up = 0;
  int resumes = 0;
  for (int tick = 1; tick <= kTicks; ++tick) {
    // Runs of steady ticks between changes, as on a real machine.
    if (world.Chance(4)) source.status = world.Snapshot();
    if (world.Chance(1000)) world.Change(settings);
    if (world.Chance(5000)) {
      monitor.OnPowerResume();
      ++resumes;
    }
    if (world.Chance(500)) world.MoveClock(clock);
    monitor.UpdatePowerStatus();
    if (tick == kWarmUpTicks) heap_after_warm_up = HeapInUse();
  }
  const std::size_t heap_at_end = HeapInUse();
  monitor.RemoveTrayIcon();

  EXPECT_EQ(shell.faults, 0);
  // One reading at the start, one per tick and one per resume (with NotifyAtResume on).
  EXPECT_GE(source.calls, kTicks + 1);
  EXPECT_LE(source.calls, kTicks + 1 + resumes);
  // Something happened all along: many refreshes and balloons, not a stuck monitor.
  EXPECT_GT(shell.calls, kTicks / 10);
  EXPECT_GT(shell.balloons, kTicks / 100);
  EXPECT_FALSE(monitor.TrayIconAdded());
  // No growth: what the heap holds after 900,000 more ticks is what it held before,
  // give or take a few strings whose capacity grew to a longer text.
  EXPECT_LT(heap_at_end, heap_after_warm_up + 4096)
      << "heap grew from " << heap_after_warm_up << " to " << heap_at_end << " bytes";
}

}  // namespace
}  // namespace norvaket
