#include "core/time_format.h"

#include <gtest/gtest.h>

#include <limits>

namespace norvaket {
namespace {

LocalDateTime At(int hour, int minute, int second) { return {2026, 1, 1, hour, minute, second}; }

struct EndTimeCase {
  std::int64_t seconds;
  LocalDateTime now;
  const char* expected;
};

class EndTimeTest : public ::testing::TestWithParam<EndTimeCase> {};

TEST_P(EndTimeTest, IsTheTimeOfDayWhenTheBatteryRunsOut) {
  EXPECT_EQ(FormatEndTime(GetParam().seconds, GetParam().now), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EndTimeTest,
    ::testing::Values(EndTimeCase{5400, At(23, 30, 0), "1:00"},   // passes midnight
                      EndTimeCase{59, At(10, 0, 30), "10:01"},    // seconds carry
                      EndTimeCase{90, At(13, 58, 30), "14:00"},
                      EndTimeCase{3900, At(12, 0, 0), "13:05"},
                      EndTimeCase{1, At(0, 0, 0), "0:00"},
                      EndTimeCase{86400 * 3 + 60, At(9, 5, 0), "9:06"},
                      // 32768 hours and beyond: no overflow, still the time of day.
                      EndTimeCase{117964800, At(12, 0, 0), "20:00"},
                      EndTimeCase{std::numeric_limits<std::int32_t>::max(), At(0, 0, 0), "3:14"}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(ClockStampTest, HourWithoutPaddingMinutesWithTwoDigits) {
  EXPECT_EQ(FormatClockStamp(At(9, 5, 59)), "9:05");
  EXPECT_EQ(FormatClockStamp(At(23, 40, 0)), "23:40");
  EXPECT_EQ(FormatClockStamp(At(0, 0, 0)), "0:00");
}

}  // namespace
}  // namespace norvaket
