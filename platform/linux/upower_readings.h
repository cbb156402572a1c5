#pragma once

#include <cstdint>
#include <optional>

#include "core/power_status.h"

namespace norvaket::linux_platform {

// UPower's numbers for a device's Type and State.
inline constexpr std::uint32_t kUPowerTypeLinePower = 1;
inline constexpr std::uint32_t kUPowerStateUnknown = 0;
inline constexpr std::uint32_t kUPowerStateCharging = 1;

// The properties of UPower's display device that a snapshot is made from.
struct UPowerDisplayDevice {
  std::optional<bool> is_present;
  std::optional<std::uint32_t> state;
  std::optional<double> percentage;
  std::optional<std::int64_t> time_to_empty;  // seconds
  std::optional<double> energy_full;          // Wh
  std::optional<double> energy_rate;          // W
  std::optional<double> energy;               // Wh
};

// What UPower last told: the daemon's OnBattery, the verdict of its line-power
// devices (any online; all offline; nothing when none reported) and the display device.
struct UPowerReadings {
  std::optional<bool> on_battery;
  std::optional<bool> line_power_online;
  UPowerDisplayDevice display;
  // The averaged draw (W) to count the times from, in place of UPower's own figures.
  std::optional<double> mean_draw;
};

PowerStatus UPowerSnapshot(const UPowerReadings& readings);

// Nothing known: what a source gives while UPower is not on the bus.
PowerStatus UnknownPowerStatus();

}  // namespace norvaket::linux_platform
