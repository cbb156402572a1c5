#pragma once

#include <QString>
#include <QVariantMap>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "platform/linux/battery_facts.h"

namespace norvaket::qt {

// The facts of UPower's system batteries, taken from the device properties the
// UPower source already receives (GetAll answers and PropertiesChanged): no call
// of its own.
class UPowerBatteryFacts {
 public:
  void Apply(const QString& path, const QVariantMap& properties);
  void Remove(const QString& path) { devices_.erase(path); }
  void Clear() { devices_.clear(); }
  // The present batteries that power the machine, sorted by name.
  std::vector<linux_platform::BatteryFacts> Batteries() const;

 private:
  struct Device {
    std::optional<std::uint32_t> type;
    std::optional<bool> power_supply;
    std::optional<bool> is_present;
    QString native_path;
    std::optional<double> capacity;
    std::optional<std::int32_t> charge_cycles;
    std::optional<double> energy_full_design;
    std::optional<double> energy_full;
    std::optional<std::uint32_t> technology;
    std::optional<bool> threshold_enabled;
    std::optional<std::uint32_t> start_threshold;
    std::optional<std::uint32_t> end_threshold;
  };

  static linux_platform::BatteryFacts FactsOf(const QString& path, const Device& device);

  std::map<QString, Device> devices_;
};

}  // namespace norvaket::qt
