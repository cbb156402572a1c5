#pragma once

#include "core/clock.h"

namespace norvaket {

// The local time of the machine, through the C library's time zone rules.
class SystemClock final : public Clock {
 public:
  LocalDateTime Now() const override;
};

}  // namespace norvaket
