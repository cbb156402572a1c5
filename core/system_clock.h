#pragma once

#include <chrono>
#include <optional>

#include "core/clock.h"

namespace norvaket {

// The local time of the machine, through the C library's time zone rules.
// The zone is read once and again every minute and after the wall clock jumped
// (a resume, the clock set), not on every call.
class SystemClock final : public Clock {
 public:
  LocalDateTime Now() const override;

 private:
  struct ZoneRead {
    std::chrono::steady_clock::time_point steady;
    std::chrono::system_clock::time_point wall;
  };
  bool ZoneRereadDue(std::chrono::steady_clock::time_point steady,
                     std::chrono::system_clock::time_point wall) const;

  mutable std::optional<ZoneRead> zone_read_;
};

}  // namespace norvaket
