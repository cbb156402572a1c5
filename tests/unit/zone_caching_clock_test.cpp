#include "platform/linux/zone_caching_clock.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <time.h>

#include <chrono>
#include <string>

namespace norvaket::linux_platform {
namespace {

using namespace std::chrono_literals;

struct ZoneChange {
  const char* name;
  std::chrono::seconds steady_passed;
  std::chrono::seconds wall_passed;
  bool new_zone_seen;
};

class ZoneCachingClockTest : public ::testing::TestWithParam<ZoneChange> {
 protected:
  void SetUp() override {
    const char* tz = getenv("TZ");
    if (tz != nullptr) saved_tz_ = tz;
    had_tz_ = tz != nullptr;
  }
  void TearDown() override {
    if (had_tz_)
      setenv("TZ", saved_tz_.c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }

  std::string saved_tz_;
  bool had_tz_ = false;
};

// 2026-12-07 03:00:00 UTC.
constexpr std::chrono::sys_seconds kStart{std::chrono::sys_days{2026y / 12 / 7} + 3h};

TEST_P(ZoneCachingClockTest, TheZoneIsReadAgainAfterAMinuteOrAJumpOfTheWallClock) {
  const ZoneChange& change = GetParam();
  std::chrono::steady_clock::time_point steady{};
  std::chrono::system_clock::time_point wall = kStart;
  const ZoneCachingClock clock([&] { return steady; }, [&] { return wall; });

  setenv("TZ", "UTC0", 1);
  EXPECT_EQ(clock.Now().hour, 3);
  setenv("TZ", "JST-9", 1);  // the laptop is carried to Tokyo
  steady += change.steady_passed;
  wall += change.wall_passed;

  const auto utc_hour = std::chrono::hh_mm_ss(std::chrono::floor<std::chrono::seconds>(wall) -
                                              std::chrono::floor<std::chrono::days>(wall))
                            .hours()
                            .count();
  EXPECT_EQ(clock.Now().hour, (utc_hour + (change.new_zone_seen ? 9 : 0)) % 24);
}

INSTANTIATE_TEST_SUITE_P(Changes, ZoneCachingClockTest,
                         ::testing::Values(ZoneChange{"HalfAMinuteLater", 30s, 30s, false},
                                           ZoneChange{"AMinuteLater", 60s, 60s, true},
                                           ZoneChange{"ResumedAfterAnHour", 1s, 3601s, true},
                                           ZoneChange{"ClockSetBack", 1s, -10s, true},
                                           ZoneChange{"SlightDrift", 1s, 5s, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace norvaket::linux_platform
