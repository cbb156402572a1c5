#pragma once

#include "core/clock.h"

namespace norvaket::testing {

class FakeClock final : public Clock {
 public:
  LocalDateTime Now() const override { return now; }
  void SetTime(int hour, int minute, int second = 0) {
    now.hour = hour;
    now.minute = minute;
    now.second = second;
  }

  LocalDateTime now{2026, 1, 1, 12, 0, 0};
};

}  // namespace norvaket::testing
