#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace norvaket::linux_platform {

// What the system tells about one battery itself, apart from its charge. A fact
// the system does not report stays empty; nothing here is guessed.
struct BatteryFacts {
  std::string name;                      // the supply's name, as in BAT0
  std::optional<double> design_wh;       // capacity when new
  std::optional<double> full_wh;         // capacity at the last full charge
  std::optional<double> health_percent;  // full ÷ design
  std::optional<std::int64_t> cycle_count;
  std::optional<std::string> technology;      // one of the names below
  std::optional<int> charge_start_threshold;  // percent
  std::optional<int> charge_end_threshold;    // percent

  bool operator==(const BatteryFacts&) const = default;
};

// The chemistry in our own words ("lithium-ion", ...), from the kernel's name or
// UPower's number; nothing for "Unknown" and anything not on the list.
std::optional<std::string> TechnologyFromSysfs(std::string_view text);
std::optional<std::string> TechnologyFromUPower(std::uint32_t technology);

// full ÷ design in percent, when both amounts (of the same unit) are above 0.
std::optional<double> HealthPercent(std::optional<double> full, std::optional<double> design);

// A charge threshold of 0..100 %; nothing for any other number.
std::optional<int> ThresholdPercent(std::optional<std::int64_t> value);

}  // namespace norvaket::linux_platform
