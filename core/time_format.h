#pragma once

#include <cstdint>
#include <string>

#include "core/clock.h"

namespace norvaket {

// The time of day ("h:nn") at which a remaining time of `seconds` runs out,
// counted from `now`. Takes any 32-bit remaining time; the date is not shown.
std::string FormatEndTime(std::int64_t seconds, const LocalDateTime& now);

// The time stamp of a notification: `now` as "h:mm".
std::string FormatClockStamp(const LocalDateTime& now);

}  // namespace norvaket
