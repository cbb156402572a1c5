#include "core/system_clock.h"

#include <chrono>
#include <ctime>

namespace norvaket {
namespace {

// How long a read zone is trusted before it is read again, so that a laptop
// carried into another zone shows the right times within a minute.
constexpr std::chrono::minutes kZoneRereadInterval{1};
// A wall clock that moved this far against the monotonic one was set, or the
// machine slept: the zone may have changed meanwhile.
constexpr std::chrono::seconds kWallClockJump{5};

bool ToLocal(std::time_t time, std::tm& local) {
#ifdef _WIN32
  return ::localtime_s(&local, &time) == 0;
#else
  return ::localtime_r(&time, &local) != nullptr;
#endif
}

void ReadZone() {
#ifdef _WIN32
  ::_tzset();
#else
  ::tzset();
#endif
}

}  // namespace

bool SystemClock::ZoneRereadDue(std::chrono::steady_clock::time_point steady,
                                std::chrono::system_clock::time_point wall) const {
  if (!zone_read_) return true;
  const auto steady_passed = steady - zone_read_->steady;
  const auto wall_passed = wall - zone_read_->wall;
  const auto drift = wall_passed - std::chrono::duration_cast<std::chrono::system_clock::duration>(steady_passed);
  return steady_passed >= kZoneRereadInterval || drift >= kWallClockJump || drift <= -kWallClockJump;
}

LocalDateTime SystemClock::Now() const {
  const auto steady = std::chrono::steady_clock::now();
  const auto wall = std::chrono::system_clock::now();
  // localtime_r does not look at the zone file; reading it on every call would
  // cost two stat calls a tick.
  if (ZoneRereadDue(steady, wall)) {
    ReadZone();
    zone_read_ = ZoneRead{steady, wall};
  }
  std::tm local{};
  if (!ToLocal(std::chrono::system_clock::to_time_t(wall), local)) return {};
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

}  // namespace norvaket
