#include "platform/linux/upower_readings.h"

#include <cmath>
#include <limits>

namespace norvaket::linux_platform {
namespace {

std::uint8_t ACLine(const UPowerReadings& readings) {
  const std::optional<bool> on_ac =
      readings.on_battery ? std::optional<bool>(!*readings.on_battery) : readings.line_power_online;
  if (!on_ac) return kACLineUnknown;
  return *on_ac ? kACLineOnline : kACLineOffline;
}

std::uint8_t Percent(const std::optional<double>& percentage) {
  if (!percentage || !std::isfinite(*percentage) || *percentage < 0 || *percentage > 100) {
    return kBatteryPercentUnknown;
  }
  return static_cast<std::uint8_t>(std::lround(*percentage));
}

std::uint8_t Flags(const UPowerDisplayDevice& display, std::uint8_t percent) {
  if (!display.state || *display.state == kUPowerStateUnknown) return kBatteryFlagUnknown;
  std::uint8_t flags = BatteryLevelFlags(percent);
  // Pending-charge (a charge limit) is on AC and not charging.
  if (*display.state == kUPowerStateCharging) flags |= kBatteryFlagCharging;
  return flags;
}

std::int32_t CappedSeconds(double seconds) {
  if (!(seconds > 0)) return kBatteryTimeUnknown;
  if (seconds >= std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(seconds);
}

}  // namespace

PowerStatus UPowerSnapshot(const UPowerReadings& readings) {
  PowerStatus status;
  status.ACLineStatus = ACLine(readings);
  status.BatteryLifeTime = kBatteryTimeUnknown;
  status.BatteryFullLifeTime = kBatteryTimeUnknown;
  const UPowerDisplayDevice& display = readings.display;
  if (!display.is_present.value_or(false)) {
    status.BatteryFlag = kBatteryFlagNoSystemBattery;
    status.BatteryLifePercent = kBatteryPercentUnknown;
    return status;
  }
  status.BatteryLifePercent = Percent(display.percentage);
  status.BatteryFlag = Flags(display, status.BatteryLifePercent);
  // On AC power the remaining time is not known, whatever UPower estimates.
  if (status.ACLineStatus == kACLineOffline) {
    if (readings.mean_draw && display.energy) {
      status.BatteryLifeTime = CappedSeconds(*display.energy / *readings.mean_draw * 3600);
    } else if (display.time_to_empty) {
      status.BatteryLifeTime = CappedSeconds(static_cast<double>(*display.time_to_empty));
    }
    const std::optional<double> rate = readings.mean_draw ? readings.mean_draw : display.energy_rate;
    if (display.energy_full && rate && *rate > 0) {
      status.BatteryFullLifeTime = CappedSeconds(*display.energy_full / *rate * 3600);
    }
  }
  return status;
}

PowerStatus UnknownPowerStatus() {
  PowerStatus status;
  status.ACLineStatus = kACLineUnknown;
  status.BatteryFlag = kBatteryFlagUnknown;
  status.BatteryLifePercent = kBatteryPercentUnknown;
  status.BatteryLifeTime = kBatteryTimeUnknown;
  status.BatteryFullLifeTime = kBatteryTimeUnknown;
  return status;
}

}  // namespace norvaket::linux_platform
