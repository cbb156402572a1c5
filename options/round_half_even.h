#pragma once

#include <cstdint>

namespace norvaket {

// The nearest integer, a half going to the even neighbour (1.5 -> 2, 2.5 -> 2).
// Values beyond the 32-bit range are held at its ends.
std::int32_t RoundHalfToEven(double value);

}  // namespace norvaket
