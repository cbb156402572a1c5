#pragma once

#include <nlohmann/json.hpp>
#include <span>

#include "platform/linux/battery_facts.h"

namespace norvaket::status_tool {

// One object per battery; every key is there, null for a fact not reported.
// Capacities in Wh to 0.01, the health in percent to 0.1.
nlohmann::ordered_json BatteriesJson(std::span<const linux_platform::BatteryFacts> batteries);

}  // namespace norvaket::status_tool
