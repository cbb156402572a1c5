#pragma once

#include <chrono>
#include <optional>

namespace norvaket {

// Local wall-clock time, to the second.
struct LocalDateTime {
  int year = 2026;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalDateTime Now() const = 0;
};

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
