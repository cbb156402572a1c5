#include "platform/linux/zone_caching_clock.h"

#include <time.h>

namespace norvaket::linux_platform {
namespace {

constexpr std::chrono::minutes kZoneRereadInterval{1};
// A wall clock that moved this far against the monotonic one was set, or the
// machine slept (the monotonic clock stands still in a suspend).
constexpr std::chrono::seconds kWallClockJump{5};

}  // namespace

bool ZoneCachingClock::ZoneRereadDue(std::chrono::steady_clock::time_point steady,
                                     std::chrono::system_clock::time_point wall) const {
  if (!zone_read_) return true;
  const auto steady_passed = steady - zone_read_->steady;
  const auto wall_passed = wall - zone_read_->wall;
  const auto drift =
      wall_passed - std::chrono::duration_cast<std::chrono::system_clock::duration>(steady_passed);
  return steady_passed >= kZoneRereadInterval || drift >= kWallClockJump ||
         drift <= -kWallClockJump;
}

LocalDateTime ZoneCachingClock::Now() const {
  const auto steady = steady_now_();
  const auto wall = wall_now_();
  if (ZoneRereadDue(steady, wall)) {
    ::tzset();
    zone_read_ = ZoneRead{steady, wall};
  }
  const std::time_t time = std::chrono::system_clock::to_time_t(wall);
  std::tm local{};
  if (::localtime_r(&time, &local) == nullptr) return {};
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

}  // namespace norvaket::linux_platform
