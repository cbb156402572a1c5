#pragma once

#include <string>
#include <vector>

#include "platform/linux/battery_facts.h"

namespace norvaket::linux_platform {

// The facts of each system battery in the kernel's power-supply class folder (the
// batteries SysfsPowerSource adds up), sorted by name. Read on request, file by
// file, so that the program's tick does not pay for them.
std::vector<BatteryFacts> ReadSysfsBatteryFacts(const std::string& class_dir);

}  // namespace norvaket::linux_platform
