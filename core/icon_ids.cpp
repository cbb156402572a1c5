#include "core/icon_ids.h"

#include "core/power_status.h"

namespace norvaket {

std::vector<std::int32_t> AllTrayIconIds() {
  std::vector<std::int32_t> ids;
  for (std::int32_t state : {psAC, psBattery, psCharging}) {
    for (std::int32_t level = 0; level <= 10; ++level) ids.push_back(state * 100 + level);
    ids.push_back(state * 100 + kIconLevelUnknownOffset);
  }
  ids.push_back(kIconNoBattery);
  ids.push_back(kIconUnknown);
  return ids;
}

}  // namespace norvaket
