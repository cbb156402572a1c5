#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "core/power_status.h"

namespace norvaket::linux_platform {

enum class BatteryStatus { Unknown, Charging, Discharging, Full, NotCharging };

// What one tick read from one system battery. Amounts are in energy units
// (µWh, rate in µW) when the driver gives energy or a voltage to convert charge
// with, otherwise in charge units (µAh, µA); `in_energy` tells which.
struct BatteryReading {
  BatteryStatus status = BatteryStatus::Unknown;
  std::optional<double> now;
  std::optional<double> full;
  std::optional<double> rate;
  bool in_energy = true;
  std::optional<int> capacity;  // percent, 0..100
};

// The snapshot for the system batteries read this tick. `ac_online` is the verdict
// of the listed mains/USB/wireless supplies, nothing when none gave a readable one.
// The times are counted from `mean_rate` when given, from this tick's total rate otherwise.
PowerStatus CombineBatteryReadings(std::optional<bool> ac_online,
                                   std::span<const BatteryReading> batteries,
                                   std::optional<double> mean_rate = std::nullopt);

// The batteries' total rate, when their amounts can be added up.
std::optional<double> TotalRate(std::span<const BatteryReading> batteries);

BatteryStatus ParseBatteryStatus(std::string_view text);

}  // namespace norvaket::linux_platform
