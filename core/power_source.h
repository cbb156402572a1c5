#pragma once

#include "core/power_status.h"

namespace norvaket {

// Where snapshots come from: GetSystemPowerStatus, UPower, sysfs, a replay or a fake.
// Never fails outward: a source that cannot read gives a record of unknowns or zeros.
class PowerSource {
 public:
  virtual ~PowerSource() = default;
  virtual PowerStatus GetPowerStatus() = 0;
};

}  // namespace norvaket
