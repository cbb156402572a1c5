#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <utility>

#include "core/clock.h"

namespace norvaket::linux_platform {

// The local time through localtime_r, which trusts the zone read last, where
// std::localtime looks at /etc/localtime on every call (two stat calls a tick).
// The zone is read again every minute and after the wall clock jumped against
// the monotonic one (a resume, the clock set), so a laptop carried into another
// zone shows the right times within a minute.
class ZoneCachingClock final : public Clock {
 public:
  using SteadyNow = std::function<std::chrono::steady_clock::time_point()>;
  using WallNow = std::function<std::chrono::system_clock::time_point()>;

  // The two clocks are the machine's unless a test moves them by hand.
  explicit ZoneCachingClock(SteadyNow steady_now = &std::chrono::steady_clock::now,
                            WallNow wall_now = &std::chrono::system_clock::now)
      : steady_now_(std::move(steady_now)), wall_now_(std::move(wall_now)) {}

  LocalDateTime Now() const override;

 private:
  struct ZoneRead {
    std::chrono::steady_clock::time_point steady;
    std::chrono::system_clock::time_point wall;
  };
  bool ZoneRereadDue(std::chrono::steady_clock::time_point steady,
                     std::chrono::system_clock::time_point wall) const;

  SteadyNow steady_now_;
  WallNow wall_now_;
  mutable std::optional<ZoneRead> zone_read_;
};

}  // namespace norvaket::linux_platform
