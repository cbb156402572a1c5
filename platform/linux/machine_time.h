#pragma once

#include <chrono>
#include <functional>

namespace norvaket::linux_platform {

// The machine's two clocks: the monotonic one stands still while the machine
// sleeps, the boot one does not, so the gap between them grows by each suspend.
struct MachineTime {
  std::chrono::nanoseconds awake{0};
  std::chrono::nanoseconds since_boot{0};
};

using MachineNow = std::function<MachineTime()>;

MachineTime ReadMachineTime();

}  // namespace norvaket::linux_platform
