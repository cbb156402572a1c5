#include "platform/linux/sysfs_battery_facts.h"

#include <dirent.h>
#include <fcntl.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>

#include "platform/linux/sysfs_attribute.h"
#include "platform/linux/unique_fd.h"

namespace norvaket::linux_platform {
namespace {

struct DirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};

std::optional<std::int64_t> ReadNumber(int folder, const char* name) {
  char buffer[64];
  const std::optional<std::string_view> text = ReadAttributeOnce(folder, name, buffer);
  return text ? ParseInteger(*text) : std::nullopt;
}

// Drivers that do not know an amount or a count leave it at 0.
std::optional<std::int64_t> ReadPositive(int folder, const char* name) {
  const std::optional<std::int64_t> value = ReadNumber(folder, name);
  if (!value || *value <= 0) return std::nullopt;
  return value;
}

std::optional<double> ReadAmount(int folder, const char* name) {
  const std::optional<std::int64_t> value = ReadPositive(folder, name);
  if (!value) return std::nullopt;
  return static_cast<double>(*value);
}

// The same batteries as the power source's: type Battery, not a device's own
// (scope Device), and not taken out.
bool IsSystemBattery(int folder) {
  char buffer[64];
  const std::optional<std::string_view> type = ReadAttributeOnce(folder, "type", buffer);
  if (!type || *type != "Battery") return false;
  const std::optional<std::string_view> scope = ReadAttributeOnce(folder, "scope", buffer);
  if (scope && *scope == "Device") return false;
  return ReadNumber(folder, "present") != 0;
}

std::optional<double> MicroToUnit(std::optional<double> micro) {
  if (!micro) return std::nullopt;
  return *micro / 1e6;
}

// Capacities in Wh and the health from amounts of one unit: energy where the
// driver gives any, else charge, turned into energy with the battery's voltage
// (its design minimum, else its present one) where it has one.
void ReadCapacities(int folder, BatteryFacts& facts) {
  std::optional<double> design = ReadAmount(folder, "energy_full_design");
  std::optional<double> full = ReadAmount(folder, "energy_full");
  std::optional<double> volts = 1;
  if (!design && !full) {
    design = ReadAmount(folder, "charge_full_design");
    full = ReadAmount(folder, "charge_full");
    volts = MicroToUnit(ReadAmount(folder, "voltage_min_design"));
    if (!volts) volts = MicroToUnit(ReadAmount(folder, "voltage_now"));
  }
  facts.health_percent = HealthPercent(full, design);
  if (!volts) return;
  if (design) facts.design_wh = *MicroToUnit(design) * *volts;
  if (full) facts.full_wh = *MicroToUnit(full) * *volts;
}

// The generic names first; some laptop drivers still use the older ones.
std::optional<int> ReadThreshold(int folder, const char* name, const char* older_name) {
  const std::optional<int> threshold = ThresholdPercent(ReadNumber(folder, name));
  return threshold ? threshold : ThresholdPercent(ReadNumber(folder, older_name));
}

BatteryFacts ReadFacts(int folder, const char* name) {
  BatteryFacts facts;
  facts.name = name;
  ReadCapacities(folder, facts);
  // 0 is what drivers that do not count cycles report.
  facts.cycle_count = ReadPositive(folder, "cycle_count");
  char buffer[64];
  if (const std::optional<std::string_view> technology =
          ReadAttributeOnce(folder, "technology", buffer)) {
    facts.technology = TechnologyFromSysfs(*technology);
  }
  facts.charge_start_threshold =
      ReadThreshold(folder, "charge_control_start_threshold", "charge_start_threshold");
  facts.charge_end_threshold =
      ReadThreshold(folder, "charge_control_end_threshold", "charge_stop_threshold");
  return facts;
}

}  // namespace

std::vector<BatteryFacts> ReadSysfsBatteryFacts(const std::string& class_dir) {
  std::vector<BatteryFacts> batteries;
  const std::unique_ptr<DIR, DirCloser> dir(::opendir(class_dir.c_str()));
  if (!dir) return batteries;
  while (const dirent* entry = ::readdir(dir.get())) {
    if (entry->d_name[0] == '.') continue;
    const UniqueFd folder(
        ::openat(::dirfd(dir.get()), entry->d_name, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Valid() && IsSystemBattery(folder.Get())) {
      batteries.push_back(ReadFacts(folder.Get(), entry->d_name));
    }
  }
  std::sort(batteries.begin(), batteries.end(),
            [](const BatteryFacts& a, const BatteryFacts& b) { return a.name < b.name; });
  return batteries;
}

}  // namespace norvaket::linux_platform
