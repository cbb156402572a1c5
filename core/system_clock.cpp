#include "core/system_clock.h"

#include <ctime>

namespace norvaket {

LocalDateTime SystemClock::Now() const {
  const std::time_t now = std::time(nullptr);
  // Only the one user-interface thread asks for the time, so the shared buffer
  // of std::localtime is safe here.
  const std::tm* local = std::localtime(&now);
  if (local == nullptr) return {};
  return {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday,
          local->tm_hour,        local->tm_min,     local->tm_sec};
}

}  // namespace norvaket
