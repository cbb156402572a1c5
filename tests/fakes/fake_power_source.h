#pragma once

#include "core/power_source.h"

namespace norvaket::testing {

class FakePowerSource final : public PowerSource {
 public:
  PowerStatus GetPowerStatus() override {
    ++calls;
    return status;
  }

  // Shorthand for the four fields the tests vary.
  void Set(int ac, int flag, int percent, int life_time, int full_life_time = -1) {
    status.ACLineStatus = static_cast<std::uint8_t>(ac);
    status.BatteryFlag = static_cast<std::uint8_t>(flag);
    status.BatteryLifePercent = static_cast<std::uint8_t>(percent);
    status.BatteryLifeTime = life_time;
    status.BatteryFullLifeTime = full_life_time;
  }

  PowerStatus status;
  int calls = 0;
};

}  // namespace norvaket::testing
