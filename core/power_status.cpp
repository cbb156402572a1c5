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

std::uint8_t BatteryLevelFlags(std::uint8_t percent) {
  if (percent == kBatteryPercentUnknown) return 0;
  std::uint8_t flags = 0;
  if (percent > 66) flags |= kBatteryFlagHigh;
  if (percent < 33) flags |= kBatteryFlagLow;
  if (percent < 5) flags |= kBatteryFlagCritical;
  return flags;
}

bool IsLevelUsable(int percent) { return percent >= 0 && percent <= 100; }

int IconLevel(int percent) { return percent / 10; }

std::string FormatPercent(std::int32_t value) { return std::to_string(value) + "%"; }

}  // namespace norvaket
