#include "platform/qt/upower_battery_facts.h"

#include <QMetaType>
#include <QVariant>
#include <algorithm>
#include <cmath>

namespace norvaket::qt {
namespace {

constexpr std::uint32_t kUPowerTypeBattery = 2;

// A value of another type than UPower's own counts as not reported.
template <typename T>
void Take(std::optional<T>& field, const QVariantMap& properties, const char* name, int meta_type) {
  const auto found = properties.constFind(QLatin1String(name));
  if (found == properties.constEnd()) return;
  field = found->metaType().id() == meta_type ? std::optional<T>(found->value<T>()) : std::nullopt;
}

// UPower says 0 (or -1) for an amount or count it does not know.
std::optional<double> Positive(std::optional<double> value) {
  if (!value || !std::isfinite(*value) || *value <= 0) return std::nullopt;
  return value;
}

std::optional<std::int64_t> Threshold(std::optional<std::uint32_t> value) {
  if (!value) return std::nullopt;
  return *value;
}

}  // namespace

void UPowerBatteryFacts::Apply(const QString& path, const QVariantMap& properties) {
  Device& device = devices_[path];
  Take(device.type, properties, "Type", QMetaType::UInt);
  Take(device.power_supply, properties, "PowerSupply", QMetaType::Bool);
  Take(device.is_present, properties, "IsPresent", QMetaType::Bool);
  std::optional<QString> native_path;
  Take(native_path, properties, "NativePath", QMetaType::QString);
  if (native_path) device.native_path = *native_path;
  Take(device.capacity, properties, "Capacity", QMetaType::Double);
  Take(device.charge_cycles, properties, "ChargeCycles", QMetaType::Int);
  Take(device.energy_full_design, properties, "EnergyFullDesign", QMetaType::Double);
  Take(device.energy_full, properties, "EnergyFull", QMetaType::Double);
  Take(device.technology, properties, "Technology", QMetaType::UInt);
  Take(device.threshold_enabled, properties, "ChargeThresholdEnabled", QMetaType::Bool);
  Take(device.start_threshold, properties, "ChargeStartThreshold", QMetaType::UInt);
  Take(device.end_threshold, properties, "ChargeEndThreshold", QMetaType::UInt);
}

std::vector<linux_platform::BatteryFacts> UPowerBatteryFacts::Batteries() const {
  std::vector<linux_platform::BatteryFacts> batteries;
  for (const auto& [path, device] : devices_) {
    // A mouse's or headset's battery does not power the machine (PowerSupply false).
    if (device.type != kUPowerTypeBattery || device.power_supply != true ||
        device.is_present == false) {
      continue;
    }
    batteries.push_back(FactsOf(path, device));
  }
  std::sort(batteries.begin(), batteries.end(),
            [](const auto& a, const auto& b) { return a.name < b.name; });
  return batteries;
}

linux_platform::BatteryFacts UPowerBatteryFacts::FactsOf(const QString& path,
                                                         const Device& device) {
  linux_platform::BatteryFacts facts;
  // The kernel's name (BAT0) as the sysfs reader gives it; the object's name otherwise.
  const QString& named = device.native_path.isEmpty() ? path : device.native_path;
  facts.name = named.section(QLatin1Char('/'), -1).toStdString();
  facts.design_wh = Positive(device.energy_full_design);
  facts.full_wh = Positive(device.energy_full);
  facts.health_percent = Positive(device.capacity);
  if (device.charge_cycles && *device.charge_cycles > 0) facts.cycle_count = *device.charge_cycles;
  if (device.technology)
    facts.technology = linux_platform::TechnologyFromUPower(*device.technology);
  // The daemon holds the battery to its thresholds only while they are enabled.
  if (device.threshold_enabled == true) {
    facts.charge_start_threshold =
        linux_platform::ThresholdPercent(Threshold(device.start_threshold));
    facts.charge_end_threshold = linux_platform::ThresholdPercent(Threshold(device.end_threshold));
  }
  return facts;
}

}  // namespace norvaket::qt
