#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

#include "core/power_status.h"

namespace norvaket::linux_platform {

// Keeps the remaining time handed on still while the end it points to stays put,
// because the tooltip shows the end as a clock time and every new remaining time
// makes the tray re-read the tooltip. An estimate that moves the end by more
// than a minute or 3 % of the time left, whichever is more, is handed on; so is
// the fresh estimate at a new percent, a new battery flag or a switch, when the
// icon is refreshed anyway. Every five minutes the held end is handed on again
// as a remaining time counted from now, so that a tooltip drawn afresh for any
// other reason shows the right end.
class RemainingTimeHold {
 public:
  static constexpr std::chrono::seconds kLeastMove{60};
  static constexpr int kLeastMovePercent = 3;
  static constexpr std::chrono::minutes kLongestHold{5};

  // Replaces the snapshot's two times with the held ones while they hold; `now`
  // is a clock that runs on while the snapshot's remaining time runs down.
  void Apply(PowerStatus& status, std::chrono::nanoseconds now);
  // The next remaining time is handed on as it comes.
  void Forget() { held_.reset(); }

 private:
  struct Held {
    std::chrono::nanoseconds at;
    std::int32_t life_time;
    std::int32_t full_life_time;
    std::uint8_t percent;
    std::uint8_t flag;
  };
  bool EndMoved(const Held& held, std::int32_t life_time, std::chrono::nanoseconds now) const;

  std::optional<Held> held_;
};

}  // namespace norvaket::linux_platform
