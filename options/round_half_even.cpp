#include "options/round_half_even.h"

#include <cmath>
#include <limits>

namespace norvaket {

std::int32_t RoundHalfToEven(double value) {
  constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
  if (std::isnan(value)) return 0;
  if (value <= kLowest) return std::numeric_limits<std::int32_t>::min();
  if (value >= kHighest) return std::numeric_limits<std::int32_t>::max();

  // Worked out explicitly rather than through nearbyint, which would depend on
  // the floating-point rounding mode in force.
  const double below = std::floor(value);
  const double rest = value - below;
  double rounded = below;
  if (rest > 0.5) {
    rounded = below + 1.0;
  } else if (rest == 0.5) {
    rounded = std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
  }
  return static_cast<std::int32_t>(rounded);
}

}  // namespace norvaket
