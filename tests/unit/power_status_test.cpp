#include "core/power_status.h"

#include <gtest/gtest.h>

namespace norvaket {
namespace {

struct ClassifyCase {
  int ac;
  int flag;
  PowerState expected;
};

class ClassifyTest : public ::testing::TestWithParam<ClassifyCase> {};

TEST_P(ClassifyTest, FirstMatchingRuleWins) {
  PowerStatus status;
  status.ACLineStatus = static_cast<std::uint8_t>(GetParam().ac);
  status.BatteryFlag = static_cast<std::uint8_t>(GetParam().flag);
  status.BatteryLifePercent = 50;
  EXPECT_EQ(ClassifyPowerStatus(status), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ClassifyTest,
    ::testing::Values(ClassifyCase{0, 0, psBattery}, ClassifyCase{0, 8, psBattery},
                      ClassifyCase{0, 128, psBattery}, ClassifyCase{0, 255, psBattery},
                      ClassifyCase{1, 255, psUnknown}, ClassifyCase{1, 8, psCharging},
                      ClassifyCase{1, 8 + 128, psCharging}, ClassifyCase{1, 9, psCharging},
                      ClassifyCase{1, 128, psNoBattery}, ClassifyCase{1, 0, psAC},
                      ClassifyCase{1, 1, psAC}, ClassifyCase{1, 2, psAC}, ClassifyCase{1, 4, psAC},
                      ClassifyCase{255, 0, psUnknown}, ClassifyCase{2, 8, psUnknown},
                      ClassifyCase{3, 128, psUnknown}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(PowerStatusTest, LevelValidityAndIconLevel) {
  EXPECT_TRUE(IsLevelUsable(0));
  EXPECT_TRUE(IsLevelUsable(100));
  EXPECT_FALSE(IsLevelUsable(101));
  EXPECT_FALSE(IsLevelUsable(255));
  EXPECT_FALSE(IsLevelUsable(-1));
  const std::pair<int, int> levels[] = {{0, 0}, {9, 0}, {10, 1}, {19, 1}, {57, 5}, {99, 9}, {100, 10}};
  for (auto [percent, level] : levels) EXPECT_EQ(IconLevel(percent), level) << percent;
}

TEST(PowerStatusTest, FormatPercentHasNoPaddingOrDecimals) {
  EXPECT_EQ(FormatPercent(0), "0%");
  EXPECT_EQ(FormatPercent(7), "7%");
  EXPECT_EQ(FormatPercent(100), "100%");
  EXPECT_EQ(FormatPercent(255), "255%");
}

TEST(PowerStatusTest, LayoutMatchesTheWin32Record) {
  EXPECT_EQ(offsetof(PowerStatus, BatteryLifePercent), 2u);
  EXPECT_EQ(offsetof(PowerStatus, BatteryLifeTime), 4u);
  EXPECT_EQ(offsetof(PowerStatus, BatteryFullLifeTime), 8u);
}

}  // namespace
}  // namespace norvaket
