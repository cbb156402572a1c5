#include "platform/win32/win32_power_source.h"

#include <windows.h>

#include <bit>
#include <cstddef>

namespace norvaket::win32 {

// The record is handed over byte for byte, so both layouts must agree.
static_assert(sizeof(PowerStatus) == sizeof(SYSTEM_POWER_STATUS));
static_assert(offsetof(PowerStatus, ACLineStatus) == offsetof(SYSTEM_POWER_STATUS, ACLineStatus));
static_assert(offsetof(PowerStatus, BatteryFlag) == offsetof(SYSTEM_POWER_STATUS, BatteryFlag));
static_assert(offsetof(PowerStatus, BatteryLifePercent) ==
              offsetof(SYSTEM_POWER_STATUS, BatteryLifePercent));
static_assert(offsetof(PowerStatus, BatteryLifeTime) ==
              offsetof(SYSTEM_POWER_STATUS, BatteryLifeTime));
static_assert(offsetof(PowerStatus, BatteryFullLifeTime) ==
              offsetof(SYSTEM_POWER_STATUS, BatteryFullLifeTime));

PowerStatus Win32PowerSource::GetPowerStatus() {
  SYSTEM_POWER_STATUS system_status{};
  // The result is not looked at: a failed call leaves the zeroed record, which
  // the evaluation reads as "on battery, 0 %", the documented fallback.
  GetSystemPowerStatus(&system_status);
  return std::bit_cast<PowerStatus>(system_status);
}

}  // namespace norvaket::win32
