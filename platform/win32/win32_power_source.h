#pragma once

#include "core/power_source.h"

namespace norvaket::win32 {

// Snapshots from GetSystemPowerStatus, all twelve bytes as the system left them.
class Win32PowerSource final : public PowerSource {
 public:
  PowerStatus GetPowerStatus() override;
};

}  // namespace norvaket::win32
