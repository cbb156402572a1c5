#pragma once

#include "core/power_source.h"
#include "platform/qt/upower_power_source.h"

namespace norvaket::qt {

// UPower while it is on the system bus, the fallback (the sysfs source) otherwise;
// the switch follows UPower leaving and coming back, e.g. when it restarts.
class UPowerOrSysfsSource final : public PowerSource {
 public:
  UPowerOrSysfsSource(UPowerPowerSource& upower, PowerSource& fallback)
      : upower_(upower), fallback_(fallback) {}

  PowerStatus GetPowerStatus() override {
    return UsingUPower() ? upower_.GetPowerStatus() : fallback_.GetPowerStatus();
  }
  bool UsingUPower() const { return upower_.Available(); }

 private:
  UPowerPowerSource& upower_;
  PowerSource& fallback_;
};

}  // namespace norvaket::qt
