#pragma once

#include <optional>

namespace norvaket::linux_platform {

// The draw a source counts its times from and the last one it read, in watts;
// nothing where it is not known or not in energy units.
struct DrawFigures {
  std::optional<double> average_w;
  std::optional<double> last_w;
};

}  // namespace norvaket::linux_platform
