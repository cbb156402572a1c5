#include "tools/status/battery_facts_json.h"

#include <cmath>

namespace norvaket::status_tool {
namespace {

template <typename T>
nlohmann::ordered_json OrNull(const std::optional<T>& value) {
  return value ? nlohmann::ordered_json(*value) : nlohmann::ordered_json(nullptr);
}

// Divided, not multiplied by a step, so that 41.07 prints as 41.07.
nlohmann::ordered_json Rounded(const std::optional<double>& value, double per_unit) {
  return value ? nlohmann::ordered_json(std::round(*value * per_unit) / per_unit)
               : nlohmann::ordered_json(nullptr);
}

}  // namespace

nlohmann::ordered_json BatteriesJson(std::span<const linux_platform::BatteryFacts> batteries) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const linux_platform::BatteryFacts& battery : batteries) {
    list.push_back({
        {"name", battery.name},
        {"health", Rounded(battery.health_percent, 10)},
        {"cycle_count", OrNull(battery.cycle_count)},
        {"design_capacity", Rounded(battery.design_wh, 100)},
        {"full_capacity", Rounded(battery.full_wh, 100)},
        {"technology", OrNull(battery.technology)},
        {"charge_start_threshold", OrNull(battery.charge_start_threshold)},
        {"charge_end_threshold", OrNull(battery.charge_end_threshold)},
    });
  }
  return list;
}

}  // namespace norvaket::status_tool
