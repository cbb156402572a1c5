#include "platform/linux/machine_time.h"

#include <time.h>

namespace norvaket::linux_platform {
namespace {

std::chrono::nanoseconds Read(clockid_t clock) {
  timespec now{};
  ::clock_gettime(clock, &now);
  return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

}  // namespace

MachineTime ReadMachineTime() {
  return {Read(CLOCK_MONOTONIC), Read(CLOCK_BOOTTIME)};
}

}  // namespace norvaket::linux_platform
