#pragma once

#include <cstdint>
#include <string>

#include "core/power_status.h"

namespace norvaket {

// The outcome of one evaluation. The program keeps one as CurrentStatus; a copy
// taken before each evaluation is its whole memory of the past.
struct StatusRecord {
  PowerState State = psUnset;
  std::int32_t LifePercent = 0;
  std::int32_t LifeTime = 0;
  std::int32_t FullLifeTime = 0;
  std::int32_t TrayIconId = 0;
  std::string TrayTipText;

  friend bool operator==(const StatusRecord&, const StatusRecord&) = default;
};

}  // namespace norvaket
