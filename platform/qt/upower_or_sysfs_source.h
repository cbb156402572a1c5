#pragma once

#include "core/power_source.h"
#include "platform/qt/upower_power_source.h"

namespace norvaket::qt {

// UPower while it is on the system bus and answers, the fallback (the sysfs source)
// otherwise; the switch follows UPower and the bus leaving and coming back.
class UPowerOrSysfsSource final : public PowerSource {
 public:
  UPowerOrSysfsSource(UPowerPowerSource& upower, PowerSource& fallback)
      : upower_(upower), fallback_(fallback) {}

  PowerStatus GetPowerStatus() override {
    // UPower's read notices a lost bus first, so the choice below is current.
    const PowerStatus upower = upower_.GetPowerStatus();
    return UsingUPower() ? upower : fallback_.GetPowerStatus();
  }
  bool UsingUPower() const { return upower_.Available(); }

 private:
  UPowerPowerSource& upower_;
  PowerSource& fallback_;
};

}  // namespace norvaket::qt
