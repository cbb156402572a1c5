#include "platform/linux/battery_reading.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace norvaket::linux_platform {
namespace {

// The totals of every battery, when all of them can be added up.
struct Totals {
  double now = 0;
  double full = 0;
  double rate = 0;
};

std::optional<Totals> AddUp(std::span<const BatteryReading> batteries) {
  Totals totals;
  for (const BatteryReading& battery : batteries) {
    // Charge cannot be added to energy, nor charge of batteries of different voltages.
    if (!battery.in_energy && batteries.size() > 1) return std::nullopt;
    if (!battery.now || !battery.full || *battery.full <= 0) return std::nullopt;
    totals.now += *battery.now;
    totals.full += *battery.full;
    totals.rate += battery.rate.value_or(0);
  }
  return totals;
}

std::optional<double> OwnPercent(const BatteryReading& battery) {
  if (battery.now && battery.full && *battery.full > 0) return *battery.now * 100 / *battery.full;
  if (battery.capacity) return *battery.capacity;
  return std::nullopt;
}

std::uint8_t Percent(std::span<const BatteryReading> batteries, const std::optional<Totals>& totals) {
  double percent = 0;
  if (totals) {
    percent = totals->now * 100 / totals->full;
  } else {
    for (const BatteryReading& battery : batteries) {
      const std::optional<double> own = OwnPercent(battery);
      if (!own) return kBatteryPercentUnknown;
      percent += *own / static_cast<double>(batteries.size());
    }
  }
  // A battery past its last full charge reads a little above 100 %.
  return static_cast<std::uint8_t>(std::lround(std::clamp(percent, 0.0, 100.0)));
}

bool Any(std::span<const BatteryReading> batteries, BatteryStatus status) {
  return std::any_of(batteries.begin(), batteries.end(),
                     [status](const BatteryReading& battery) { return battery.status == status; });
}

std::uint8_t ACLine(std::optional<bool> ac_online, std::span<const BatteryReading> batteries) {
  if (ac_online) return *ac_online ? kACLineOnline : kACLineOffline;
  // No supply says where the power comes from: the batteries tell.
  if (Any(batteries, BatteryStatus::Discharging)) return kACLineOffline;
  if (Any(batteries, BatteryStatus::Charging) || Any(batteries, BatteryStatus::Full) ||
      Any(batteries, BatteryStatus::NotCharging)) {
    return kACLineOnline;
  }
  return kACLineUnknown;
}

std::uint8_t Flags(std::span<const BatteryReading> batteries, std::uint8_t percent) {
  const bool status_known = !std::all_of(
      batteries.begin(), batteries.end(),
      [](const BatteryReading& battery) { return battery.status == BatteryStatus::Unknown; });
  if (!status_known && percent == kBatteryPercentUnknown) return kBatteryFlagUnknown;
  std::uint8_t flags = BatteryLevelFlags(percent);
  if (Any(batteries, BatteryStatus::Charging)) flags |= kBatteryFlagCharging;
  return flags;
}

std::int32_t Seconds(double amount, double rate) {
  if (rate <= 0 || amount < 0) return kBatteryTimeUnknown;
  const double seconds = amount / rate * 3600;
  if (seconds >= std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(seconds);
}

}  // namespace

PowerStatus CombineBatteryReadings(std::optional<bool> ac_online,
                                   std::span<const BatteryReading> batteries,
                                   std::optional<double> mean_rate) {
  PowerStatus status;
  status.BatteryLifeTime = kBatteryTimeUnknown;
  status.BatteryFullLifeTime = kBatteryTimeUnknown;
  if (batteries.empty()) {
    status.ACLineStatus = kACLineOnline;
    status.BatteryFlag = kBatteryFlagNoSystemBattery;
    status.BatteryLifePercent = kBatteryPercentUnknown;
    return status;
  }
  const std::optional<Totals> totals = AddUp(batteries);
  status.ACLineStatus = ACLine(ac_online, batteries);
  status.BatteryLifePercent = Percent(batteries, totals);
  status.BatteryFlag = Flags(batteries, status.BatteryLifePercent);
  // On AC power the remaining time is not known, whatever the rate says.
  if (status.ACLineStatus == kACLineOffline && totals) {
    const double rate = mean_rate.value_or(totals->rate);
    status.BatteryLifeTime = Seconds(totals->now, rate);
    status.BatteryFullLifeTime = Seconds(totals->full, rate);
  }
  return status;
}

std::optional<double> TotalRate(std::span<const BatteryReading> batteries) {
  const std::optional<Totals> totals = AddUp(batteries);
  if (!totals) return std::nullopt;
  return totals->rate;
}

BatteryStatus ParseBatteryStatus(std::string_view text) {
  if (text == "Charging") return BatteryStatus::Charging;
  if (text == "Discharging") return BatteryStatus::Discharging;
  if (text == "Full") return BatteryStatus::Full;
  if (text == "Not charging") return BatteryStatus::NotCharging;
  return BatteryStatus::Unknown;
}

}  // namespace norvaket::linux_platform
