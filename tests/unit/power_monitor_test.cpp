#include "core/power_monitor.h"

#include <gtest/gtest.h>

#include <vector>

#include "fakes/fake_clock.h"
#include "fakes/fake_power_source.h"
#include "fakes/recording_shell.h"

namespace norvaket {
namespace {

using testing::FakeClock;
using testing::FakePowerSource;
using testing::RecordingShell;
using testing::RecordingWaiter;

class PowerMonitorTest : public ::testing::Test {
 protected:
  PowerMonitorTest() { source.Set(1, 0, 80, -1); }

  // The start, then one tick: the state machine is past its two-step start.
  void StartAndTick() {
    monitor.AddTrayIcon();
    monitor.UpdatePowerStatus();
    shell.calls.clear();
  }

  std::vector<std::string> BalloonTitles() const {
    std::vector<std::string> titles;
    for (const auto& call : shell.calls) {
      if (call.record.uFlags & kNifInfo) titles.push_back(call.record.szInfoTitle);
    }
    return titles;
  }

  Settings settings = DefaultSettings();
  FakePowerSource source;
  FakeClock clock;
  RecordingShell shell;
  RecordingWaiter waiter;
  NotifyIcon notify_icon{shell, waiter};
  PowerMonitor monitor{settings, source, clock, notify_icon, 99};
};

TEST_F(PowerMonitorTest, StartEvaluatesOnceAndAddsWithoutBalloon) {
  monitor.AddTrayIcon();
  EXPECT_EQ(source.calls, 1);
  EXPECT_EQ(monitor.CurrentStatus().State, psFresh);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].message, NotifyMessage::Add);
  EXPECT_EQ(shell.calls[0].record.hIcon, 108);
  EXPECT_EQ(shell.calls[0].record.szTip, "AC電源\r\n80%");
  EXPECT_EQ(shell.calls[0].record.hWnd, 99u);
  EXPECT_TRUE(monitor.TrayIconAdded());
}

TEST_F(PowerMonitorTest, FirstTickRefreshesAndMayShowTheStartNotification) {
  monitor.AddTrayIcon();
  shell.calls.clear();
  monitor.UpdatePowerStatus();
  ASSERT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(shell.calls[0].record.uFlags, kFlagsPlain);
  EXPECT_EQ(BalloonTitles(), std::vector<std::string>{"AC電源を使用しています"});
  EXPECT_EQ(monitor.CurrentStatus().State, psAC);
}

TEST_F(PowerMonitorTest, SteadyStateCostsNoShellTrafficEvenAsTheEndTimeMoves) {
  source.Set(0, 0, 50, 3600);
  StartAndTick();
  clock.SetTime(12, 30);
  monitor.UpdatePowerStatus();
  monitor.UpdatePowerStatus();
  EXPECT_TRUE(shell.calls.empty());
  // The tooltip moved on in the record, but only a change pushes it.
  EXPECT_EQ(monitor.CurrentStatus().TrayTipText, "バッテリ\r\n13:30 まで (50%)");
  EXPECT_EQ(notify_icon.Record().szTip, "バッテリ\r\n13:00 まで (50%)");
}

TEST_F(PowerMonitorTest, RemainingTimeChangeAloneRefreshes) {
  source.Set(0, 0, 50, 3600);
  StartAndTick();
  source.Set(0, 0, 50, 3500);
  monitor.UpdatePowerStatus();
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].message, NotifyMessage::Modify);
  EXPECT_EQ(shell.calls[0].record.szTip, "バッテリ\r\n12:58 まで (50%)");
}

TEST_F(PowerMonitorTest, FullLifeTimeChangeAlonePushesNothing) {
  source.Set(0, 0, 50, 3600, 7200);
  StartAndTick();
  source.Set(0, 0, 50, 3600, 7000);
  monitor.UpdatePowerStatus();
  EXPECT_TRUE(shell.calls.empty());
  EXPECT_EQ(monitor.CurrentStatus().FullLifeTime, 7000);
}

TEST_F(PowerMonitorTest, NoBatteryKeepsTheLastBatteryValues) {
  source.Set(0, 0, 40, 5000, 9000);
  StartAndTick();
  source.Set(1, 128, 255, -1, -1);
  monitor.UpdatePowerStatus();
  EXPECT_EQ(monitor.CurrentStatus().State, psNoBattery);
  EXPECT_EQ(monitor.CurrentStatus().LifePercent, 40);
  EXPECT_EQ(monitor.CurrentStatus().LifeTime, 5000);
  EXPECT_EQ(monitor.CurrentStatus().FullLifeTime, 9000);
  EXPECT_EQ(monitor.CurrentStatus().TrayIconId, 900);
  // Back on battery at the same level and time: only the state changed.
  settings.NotifyPS1 = kTrue;
  shell.calls.clear();
  source.Set(0, 0, 40, 5000, 9000);
  monitor.UpdatePowerStatus();
  EXPECT_EQ(BalloonTitles(), std::vector<std::string>{"バッテリに切り替わりました"});
}

TEST_F(PowerMonitorTest, BalloonCarriesTimeStampCurrentIconAndTip) {
  settings.UseTimeStamp = kTrue;
  settings.NotifyPS1 = kTrue;
  StartAndTick();
  clock.SetTime(9, 5, 30);
  source.Set(0, 0, 50, -1);
  monitor.UpdatePowerStatus();
  ASSERT_EQ(shell.calls.size(), 2u);
  const TrayIconRecord& balloon = shell.calls[1].record;
  EXPECT_EQ(balloon.szInfo, "システムはバッテリで動作しています。 (9:05)");
  EXPECT_EQ(balloon.hIcon, 205);
  EXPECT_EQ(balloon.szTip, "バッテリ\r\n残り時間 不明 (50%)");
  EXPECT_EQ(balloon.dwInfoFlags, kNiifInfo);
}

TEST_F(PowerMonitorTest, ThreeBalloonsOfOneEvaluationGoOutInRuleOrder) {
  settings.NotifyPS1 = kTrue;
  settings.NotifyCV2Value = 20;
  source.Set(1, 8, 21, -1);
  StartAndTick();
  source.Set(0, 0, 20, 7200);
  monitor.UpdatePowerStatus();
  EXPECT_EQ(BalloonTitles(), (std::vector<std::string>{"バッテリの低下", "バッテリに切り替わりました",
                                                       "バッテリの持続時"}));
  EXPECT_EQ(shell.calls.front().record.uFlags, kFlagsPlain);  // the refresh comes first
}

TEST_F(PowerMonitorTest, RefreshBeforeAnyAddPerformsTheWholeAdd) {
  monitor.RefreshTrayIcon();
  EXPECT_EQ(source.calls, 1);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].message, NotifyMessage::Add);
  EXPECT_TRUE(monitor.TrayIconAdded());
}

TEST_F(PowerMonitorTest, RemoveTwiceCallsTheShellOnce) {
  monitor.AddTrayIcon();
  monitor.RemoveTrayIcon();
  monitor.RemoveTrayIcon();
  EXPECT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(shell.calls[1].message, NotifyMessage::Delete);
  EXPECT_FALSE(monitor.TrayIconAdded());
}

TEST_F(PowerMonitorTest, EveryAddRefusedStillCountsAsAdded) {
  shell.refused_adds = 6;
  monitor.AddTrayIcon();
  EXPECT_EQ(shell.calls.size(), 6u);
  EXPECT_EQ(waiter.waits.size(), 6u);
  EXPECT_TRUE(monitor.TrayIconAdded());
}

TEST_F(PowerMonitorTest, ShowBalloonAddsTheIconFirstWhenMissing) {
  monitor.ShowBalloon("t", "x", false);
  ASSERT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(shell.calls[0].message, NotifyMessage::Add);
  EXPECT_EQ(shell.calls[1].record.szInfo, "x");
}

// The shell may still hold the icon (a modify shows it) or have lost it (one add);
// either way the current image and tip, no balloon, and never a wait.
TEST_F(PowerMonitorTest, RestoreModifiesOrAddsOnceTheCurrentImageAndTipWithoutWaiting) {
  struct Case {
    int refused_modifies;
    int refused_adds;
    std::vector<NotifyMessage> expected;
  };
  const Case cases[] = {
      {0, 0, {NotifyMessage::Modify}},
      {1, 0, {NotifyMessage::Modify, NotifyMessage::Add}},
      {1, 1, {NotifyMessage::Modify, NotifyMessage::Add}},
  };
  settings.NotifyPS1 = kTrue;
  StartAndTick();
  source.Set(0, 0, 50, -1);
  monitor.UpdatePowerStatus();  // refresh, then the switch balloon
  const int evaluations = source.calls;
  for (const Case& c : cases) {
    shell.calls.clear();
    waiter.waits.clear();
    shell.refused_modifies = c.refused_modifies;
    shell.refused_adds = c.refused_adds;
    monitor.RestoreTrayIcon();
    EXPECT_EQ(source.calls, evaluations);  // shows what is current, evaluates nothing
    EXPECT_TRUE(waiter.waits.empty());
    ASSERT_EQ(shell.calls.size(), c.expected.size());
    for (std::size_t i = 0; i < c.expected.size(); ++i) {
      EXPECT_EQ(shell.calls[i].message, c.expected[i]);
      EXPECT_EQ(shell.calls[i].record.uFlags, kFlagsPlain);
      EXPECT_EQ(shell.calls[i].record.hIcon, 205);
      EXPECT_EQ(shell.calls[i].record.szTip, "バッテリ\r\n残り時間 不明 (50%)");
      EXPECT_EQ(shell.calls[i].record.hWnd, 99u);
    }
  }
}

TEST_F(PowerMonitorTest, RestoreDoesNothingBeforeTheAddOrAfterTheRemove) {
  monitor.RestoreTrayIcon();
  EXPECT_TRUE(shell.calls.empty());
  monitor.AddTrayIcon();
  monitor.RemoveTrayIcon();
  shell.calls.clear();
  monitor.RestoreTrayIcon();
  EXPECT_TRUE(shell.calls.empty());
  EXPECT_FALSE(monitor.TrayIconAdded());
}

TEST_F(PowerMonitorTest, ResumeWithNotifyAtResumeOffChangesNothing) {
  settings.NotifyAtResume = kFalse;
  StartAndTick();
  const StatusRecord before = monitor.CurrentStatus();
  monitor.OnPowerResume();
  EXPECT_EQ(monitor.CurrentStatus(), before);
  EXPECT_EQ(source.calls, 2);
}

TEST_F(PowerMonitorTest, ResumeMakesTheNextTickLikeTheFirstAfterStart) {
  settings.NotifyPS1 = kTrue;
  StartAndTick();
  source.Set(0, 0, 60, -1);  // unplugged during standby
  monitor.OnPowerResume();
  EXPECT_EQ(monitor.CurrentStatus().State, psFresh);
  EXPECT_TRUE(shell.calls.empty());
  monitor.UpdatePowerStatus();
  // The start notification, not the switch notification.
  EXPECT_EQ(BalloonTitles(), std::vector<std::string>{"バッテリを使用しています"});
}

TEST_F(PowerMonitorTest, ResumeWithNotifyAtRunOffOnlyRefreshes) {
  settings.NotifyAtRun = kFalse;
  StartAndTick();
  monitor.OnPowerResume();
  monitor.OnPowerResume();  // several notices act like one
  monitor.UpdatePowerStatus();
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].record.uFlags, kFlagsPlain);
}

TEST_F(PowerMonitorTest, SettingsChangedBetweenTicksApplyAtTheNextTick) {
  StartAndTick();
  settings.NotifyPS2 = kTrue;
  source.Set(1, 8, 80, -1);
  monitor.UpdatePowerStatus();
  EXPECT_EQ(BalloonTitles(), std::vector<std::string>{"AC電源に切り替わりました"});
}

}  // namespace
}  // namespace norvaket
