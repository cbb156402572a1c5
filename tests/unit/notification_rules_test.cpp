#include "core/notification_rules.h"

#include <gtest/gtest.h>

namespace norvaket {
namespace {

constexpr const char* kEmpty =
    "バッテリの残量が 0% です。充電を開始するには、システムをシャットダウンするか休止状態にする必要があります。";

StatusRecord Record(PowerState state, int level, int life_time = -1) {
  StatusRecord r;
  r.State = state;
  r.LifePercent = level;
  r.LifeTime = life_time;
  return r;
}

Settings AllOn() {
  Settings s = DefaultSettings();
  s.NotifyPS0 = s.NotifyPS1 = s.NotifyPS2 = s.NotifyRT = kTrue;
  s.NotifyCV0 = s.NotifyCV2 = s.NotifyCV4 = s.NotifyAtRun = kTrue;
  s.NotifyCV0Value = 80;
  s.NotifyCV2Value = 20;
  return s;
}

const LocalDateTime kNoon{2026, 1, 1, 12, 0, 0};

// ---- Group A ----

struct LevelCase {
  const char* name;
  StatusRecord previous;
  StatusRecord current;
  Flag Settings::*switched_off;  // nullptr: every setting on
  std::optional<Balloon> expected;
};

class LevelRuleTest : public ::testing::TestWithParam<LevelCase> {};

TEST_P(LevelRuleTest, FirstMatchingRowDecides) {
  const LevelCase& c = GetParam();
  Settings s = AllOn();
  if (c.switched_off) s.*c.switched_off = kFalse;
  EXPECT_EQ(LevelRule(c.previous, c.current, s), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, LevelRuleTest,
    ::testing::Values(
        LevelCase{"low on battery", Record(psBattery, 21), Record(psBattery, 20), nullptr,
                  Balloon{"バッテリの低下", "バッテリの残量が 20% に達しました。", true, true}},
        LevelCase{"low on AC", Record(psAC, 21), Record(psAC, 20), nullptr,
                  Balloon{"バッテリの低下", "バッテリの残量が 20% に達しました。", true, true}},
        LevelCase{"low switched off", Record(psBattery, 21), Record(psBattery, 20),
                  &Settings::NotifyCV2, std::nullopt},
        LevelCase{"crossing is not equality", Record(psBattery, 21), Record(psBattery, 19),
                  nullptr, std::nullopt},
        LevelCase{"unchanged level", Record(psAC, 20), Record(psBattery, 20), nullptr,
                  std::nullopt},
        LevelCase{"empty on battery is not A2", Record(psBattery, 1), Record(psBattery, 0),
                  nullptr, std::nullopt},
        LevelCase{"empty on AC", Record(psAC, 1), Record(psAC, 0), nullptr,
                  Balloon{"バッテリ切れ", kEmpty, true, true}},
        LevelCase{"empty switched off", Record(psAC, 1), Record(psAC, 0), &Settings::NotifyCV4,
                  std::nullopt},
        LevelCase{"progress", Record(psCharging, 79), Record(psCharging, 80), nullptr,
                  Balloon{"バッテリ充電の進捗", "バッテリの残量が 80% に達しました。", false}},
        LevelCase{"progress switched off", Record(psCharging, 79), Record(psCharging, 80),
                  &Settings::NotifyCV0, std::nullopt},
        LevelCase{"low level while charging", Record(psCharging, 19), Record(psCharging, 20),
                  nullptr, std::nullopt},
        LevelCase{"no battery keeps quiet", Record(psAC, 21), Record(psNoBattery, 20), nullptr,
                  std::nullopt}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(LevelRuleTest, SwitchedOffLowRowEndsTheGroupBeforeTheEmptyRow) {
  Settings s = AllOn();
  s.NotifyCV2 = kFalse;
  s.NotifyCV2Value = 0;  // both rows match; the first one decides
  EXPECT_EQ(LevelRule(Record(psAC, 5), Record(psAC, 0), s), std::nullopt);
}

TEST(LevelRuleTest, FiresAgainWheneverTheLevelReturns) {
  const Settings s = AllOn();
  EXPECT_TRUE(LevelRule(Record(psBattery, 21), Record(psBattery, 20), s));
  EXPECT_FALSE(LevelRule(Record(psBattery, 20), Record(psBattery, 21), s));
  EXPECT_TRUE(LevelRule(Record(psBattery, 21), Record(psBattery, 20), s));
}

// ---- Group B ----

struct SwitchCase {
  const char* name;
  StatusRecord previous;
  StatusRecord current;
  std::optional<Balloon> expected;
};

class SwitchRuleTest : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(SwitchRuleTest, ShowsTheSwitch) {
  const SwitchCase& c = GetParam();
  EXPECT_EQ(SwitchRule(c.previous, c.current, AllOn()), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, SwitchRuleTest,
    ::testing::Values(
        SwitchCase{"charge complete", Record(psCharging, 99), Record(psAC, 100),
                   Balloon{"充電が完了しました", "バッテリの充電が完了しました。", false}},
        SwitchCase{"charging stops at 99", Record(psCharging, 98), Record(psAC, 99), std::nullopt},
        SwitchCase{"plugged in full, not charging", Record(psBattery, 100), Record(psAC, 100),
                   std::nullopt},
        SwitchCase{"unplugged low", Record(psAC, 15), Record(psBattery, 15),
                   Balloon{"バッテリに切り替わりました", "バッテリの残量が低下しています。", true, true}},
        SwitchCase{"unplugged at the threshold", Record(psAC, 20), Record(psBattery, 20),
                   Balloon{"バッテリに切り替わりました", "バッテリの残量が低下しています。", true, true}},
        SwitchCase{"unplugged", Record(psCharging, 50), Record(psBattery, 50),
                   Balloon{"バッテリに切り替わりました", "システムはバッテリで動作しています。", false}},
        SwitchCase{"unknown level counts as high", Record(psAC, 255), Record(psBattery, 255),
                   Balloon{"バッテリに切り替わりました", "システムはバッテリで動作しています。", false}},
        SwitchCase{"plugged in", Record(psBattery, 50), Record(psCharging, 50),
                   Balloon{"AC電源に切り替わりました", "バッテリを充電しています。", false}},
        SwitchCase{"charging starts on AC", Record(psAC, 50), Record(psCharging, 50),
                   Balloon{"AC電源に切り替わりました", "バッテリを充電しています。", false}},
        SwitchCase{"to no battery", Record(psBattery, 50), Record(psNoBattery, 50), std::nullopt},
        SwitchCase{"to unknown", Record(psAC, 50), Record(psUnknown, 50), std::nullopt},
        SwitchCase{"right after start", Record(psFresh, 50), Record(psBattery, 50), std::nullopt},
        SwitchCase{"same state", Record(psBattery, 60), Record(psBattery, 50), std::nullopt}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(SwitchRuleTest, EachSwitchHasItsOwnSetting) {
  Settings s = AllOn();
  s.NotifyPS0 = s.NotifyPS1 = s.NotifyPS2 = kFalse;
  EXPECT_FALSE(SwitchRule(Record(psCharging, 99), Record(psAC, 100), s));
  EXPECT_FALSE(SwitchRule(Record(psAC, 10), Record(psBattery, 10), s));
  EXPECT_FALSE(SwitchRule(Record(psBattery, 10), Record(psCharging, 10), s));
}

TEST(SwitchRuleTest, LowTestUsesTheValueEvenWhenLowBatteryIsOff) {
  Settings s = AllOn();
  s.NotifyCV2 = kFalse;
  EXPECT_TRUE(SwitchRule(Record(psAC, 10), Record(psBattery, 10), s)->warning);
}

// ---- Group C ----

TEST(RemainingTimeRuleTest, OnlyWhenTheTimeBecomesKnownOnBattery) {
  const Settings s = AllOn();
  const auto rule = [&](StatusRecord p, StatusRecord c) { return RemainingTimeRule(p, c, s, kNoon); };
  EXPECT_EQ(rule(Record(psBattery, 50, -1), Record(psBattery, 50, 7200)),
            (Balloon{"バッテリの持続時", "バッテリは 14:00 まで使用可能です。", false}));
  EXPECT_FALSE(rule(Record(psBattery, 50, 0), Record(psBattery, 50, 7200)));
  EXPECT_FALSE(rule(Record(psBattery, 50, 3600), Record(psBattery, 50, 7200)));
  EXPECT_FALSE(rule(Record(psAC, 50, -1), Record(psAC, 50, 7200)));
  EXPECT_FALSE(rule(Record(psBattery, 50, -1), Record(psBattery, 50, 0)));
  EXPECT_TRUE(rule(Record(psBattery, 20, -1), Record(psBattery, 20, 60))->warning);
  EXPECT_FALSE(rule(Record(psBattery, 255, -1), Record(psBattery, 255, 60))->warning);
  Settings off = s;
  off.NotifyRT = kFalse;
  EXPECT_FALSE(RemainingTimeRule(Record(psBattery, 50, -1), Record(psBattery, 50, 60), off, kNoon));
}

// ---- Group D ----

struct StartCase {
  PowerState state;
  int level;
  Flag life_percent_at_run;
  Balloon expected;
};

class StartRuleTest : public ::testing::TestWithParam<StartCase> {};

TEST_P(StartRuleTest, TitleByStateTextByFirstMatchingRow) {
  const StartCase& c = GetParam();
  Settings s = AllOn();
  s.NotifyLifePercentAtRun = c.life_percent_at_run;
  EXPECT_EQ(StartRule(Record(psFresh, 0), Record(c.state, c.level), s), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StartRuleTest,
    ::testing::Values(
        StartCase{psBattery, 0, kFalse, {"バッテリを使用しています", kEmpty, true, true}},
        StartCase{psAC, 15, kTrue, {"AC電源を使用しています", "バッテリの残量が低下しています", true, true}},
        StartCase{psAC, 100, kFalse, {"AC電源を使用しています", "バッテリの充電は完了しています", true}},
        StartCase{psCharging, 100, kTrue, {"バッテリを充電しています", "バッテリの残量は 100% です。", true}},
        StartCase{psCharging, 100, kFalse, {"バッテリを充電しています", "システムはAC電源で動作しています", false}},
        StartCase{psBattery, 255, kTrue, {"バッテリを使用しています", "バッテリの残量は 255% です。", true}},
        StartCase{psNoBattery, 0, kTrue, {"バッテリがありません", "バッテリの状態を表示できません", false}},
        StartCase{psUnknown, 50, kTrue, {"不明な電源状態", "システムの電源状態を取得できません", true}},
        StartCase{psAC, 50, kFalse, {"AC電源を使用しています", "システムはAC電源で動作しています", false}},
        StartCase{psBattery, 50, kFalse, {"バッテリを使用しています", "システムはバッテリで動作しています", true}},
        StartCase{psNoBattery, 0, kFalse, {"バッテリがありません", "バッテリの状態を表示できません", false}},
        StartCase{static_cast<PowerState>(5), 50, kFalse,
                  {"不明な電源状態", "システムの電源状態を取得できません", true}}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(StartRuleTest, OnlyOnTheFirstTickAfterStartAndOnlyWhenSwitchedOn) {
  Settings s = AllOn();
  EXPECT_FALSE(StartRule(Record(psAC, 50), Record(psAC, 50), s));
  EXPECT_FALSE(StartRule(Record(psUnset, 0), Record(psAC, 50), s));
  s.NotifyAtRun = kFalse;
  EXPECT_FALSE(StartRule(Record(psFresh, 0), Record(psAC, 50), s));
}

TEST(StartRuleTest, RowsAreGatedByTheirOwnSettings) {
  Settings s = AllOn();
  s.NotifyCV4 = s.NotifyCV2 = s.NotifyPS0 = kFalse;
  EXPECT_EQ(StartRule(Record(psFresh, 0), Record(psAC, 0), s)->text, "システムはAC電源で動作しています");
  s.NotifyPS0 = kTrue;
  EXPECT_EQ(StartRule(Record(psFresh, 0), Record(psAC, 100), s)->text, "バッテリの充電は完了しています");
}

// ---- All groups ----

TEST(NotificationRulesTest, GroupsComeInOrderAtMostOneEach) {
  const std::vector<Balloon> balloons = NotificationRules(
      Record(psCharging, 21, -1), Record(psBattery, 20, 7200), AllOn(), kNoon);
  ASSERT_EQ(balloons.size(), 3u);
  EXPECT_EQ(balloons[0].title, "バッテリの低下");
  EXPECT_EQ(balloons[1].text, "バッテリの残量が低下しています。");
  EXPECT_EQ(balloons[2].title, "バッテリの持続時");
  EXPECT_TRUE(balloons[2].warning);
}

TEST(NotificationRulesTest, StartAndSwitchExcludeEachOther) {
  const std::vector<Balloon> balloons =
      NotificationRules(Record(psFresh, 50, -1), Record(psBattery, 50, -1), AllOn(), kNoon);
  ASSERT_EQ(balloons.size(), 1u);
  EXPECT_EQ(balloons[0].title, "バッテリを使用しています");
}

}  // namespace
}  // namespace norvaket
