#pragma once

#include <cstdint>
#include <string>

#include "core/clock.h"
#include "core/power_status.h"

namespace norvaket {

struct TrayView {
  std::int32_t TrayIconId = 0;
  std::string TrayTipText;
};

// The icon and two-line tooltip for a classified snapshot. `life_time` is the
// remaining time just stored in the status record; `now` dates the end time.
TrayView ChooseTrayView(PowerState state, const PowerStatus& snapshot, std::int32_t life_time,
                        const LocalDateTime& now);

}  // namespace norvaket
