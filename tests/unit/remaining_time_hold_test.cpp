#include "platform/linux/remaining_time_hold.h"

#include <gtest/gtest.h>

namespace norvaket::linux_platform {
namespace {

using namespace std::chrono_literals;

PowerStatus OnBattery(std::int32_t life_time, int percent) {
  return {kACLineOffline, 0, static_cast<std::uint8_t>(percent), 0, life_time, 20000};
}

// 10000 s handed on at 50 %; a fresh estimate comes `later`.
struct HoldCase {
  const char* name;
  std::chrono::seconds later;
  std::int32_t fresh;
  int percent;
  std::int32_t expected;
};

void PrintTo(const HoldCase& c, std::ostream* os) { *os << c.name; }

class RemainingTimeHoldTest : public ::testing::TestWithParam<HoldCase> {};

TEST_P(RemainingTimeHoldTest, HandsOnWhatMovesTheEnd) {
  RemainingTimeHold hold;
  PowerStatus first = OnBattery(10000, 50);
  hold.Apply(first, 0s);
  PowerStatus fresh = OnBattery(GetParam().fresh, GetParam().percent);
  hold.Apply(fresh, GetParam().later);
  EXPECT_EQ(fresh.BatteryLifeTime, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RemainingTimeHoldTest,
    ::testing::Values(HoldCase{"EndMovedByLessThanThreePercentIsHeld", 30s, 10220, 50, 10000},
                      HoldCase{"EndMovedByMoreIsHandedOn", 30s, 10370, 50, 10370},
                      HoldCase{"NewPercentHandsOnTheEstimate", 30s, 9990, 49, 9990},
                      HoldCase{"HeldEndIsCountedFromNowAfterFiveMinutes", 300s, 9800, 50, 9700}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace norvaket::linux_platform
