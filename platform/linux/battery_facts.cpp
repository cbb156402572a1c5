#include "platform/linux/battery_facts.h"

#include <array>
#include <cmath>

namespace norvaket::linux_platform {
namespace {

// The kernel's names (power_supply_sysfs.c) and UPower's numbers of one chemistry.
struct Technology {
  const char* sysfs;
  std::uint32_t upower;
  const char* name;
};

constexpr std::uint32_t kNoUPowerNumber = 0;  // UPower's "unknown"

constexpr std::array<Technology, 7> kTechnologies{{
    {"Li-ion", 1, "lithium-ion"},
    {"Li-poly", 2, "lithium-polymer"},
    {"LiFe", 3, "lithium-iron-phosphate"},
    {nullptr, 4, "lead-acid"},
    {"NiCd", 5, "nickel-cadmium"},
    {"NiMH", 6, "nickel-metal-hydride"},
    {"LiMn", kNoUPowerNumber, "lithium-manganese"},
}};

}  // namespace

std::optional<std::string> TechnologyFromSysfs(std::string_view text) {
  for (const Technology& technology : kTechnologies) {
    if (technology.sysfs != nullptr && text == technology.sysfs) return technology.name;
  }
  return std::nullopt;
}

std::optional<std::string> TechnologyFromUPower(std::uint32_t number) {
  if (number == kNoUPowerNumber) return std::nullopt;
  for (const Technology& technology : kTechnologies) {
    if (number == technology.upower) return technology.name;
  }
  return std::nullopt;
}

std::optional<double> HealthPercent(std::optional<double> full, std::optional<double> design) {
  if (!full || !design || !(*full > 0) || !(*design > 0)) return std::nullopt;
  const double percent = *full * 100 / *design;
  if (!std::isfinite(percent)) return std::nullopt;
  return percent;
}

std::optional<int> ThresholdPercent(std::optional<std::int64_t> value) {
  if (!value || *value < 0 || *value > 100) return std::nullopt;
  return static_cast<int>(*value);
}

}  // namespace norvaket::linux_platform
