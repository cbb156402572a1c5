#pragma once

#include <chrono>

#include "core/clock.h"

namespace norvaket::replay {

// A local clock that moves only when told. The date starts at 2026-01-01 and
// moves on only when advancing passes midnight.
class ReplayClock final : public Clock {
 public:
  LocalDateTime Now() const override;
  void SetTimeOfDay(int hour, int minute, int second);
  void Advance(std::chrono::milliseconds step);

 private:
  std::chrono::sys_days date_{std::chrono::year{2026} / 1 / 1};
  std::chrono::milliseconds time_of_day_{12 * 3600 * 1000};
};

}  // namespace norvaket::replay
