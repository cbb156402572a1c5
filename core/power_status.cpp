#include "core/power_status.h"

namespace norvaket {

PowerState ClassifyPowerStatus(const PowerStatus& status) {
  if (status.ACLineStatus == kACLineOffline) return psBattery;
  if (status.ACLineStatus != kACLineOnline) return psUnknown;
  // 255 has every bit set, so it must be tested before the single bits.
  if (status.BatteryFlag == kBatteryFlagUnknown) return psUnknown;
  if (status.BatteryFlag & kBatteryFlagCharging) return psCharging;
  if (status.BatteryFlag & kBatteryFlagNoSystemBattery) return psNoBattery;
  return psAC;
}

bool IsLevelUsable(int percent) { return percent >= 0 && percent <= 100; }

int IconLevel(int percent) { return percent / 10; }

std::string FormatPercent(std::int32_t value) { return std::to_string(value) + "%"; }

}  // namespace norvaket
