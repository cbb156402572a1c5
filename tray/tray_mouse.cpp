#include "tray/tray_mouse.h"

#include <cmath>

namespace norvaket {

std::uint32_t DecodeTrayCallback(double x, bool unit_is_pixel, double units_per_pixel) {
  if (unit_is_pixel) return static_cast<std::uint32_t>(std::lround(x));
  const long divisor = std::lround(units_per_pixel);
  if (divisor <= 0) return 0;  // no sensible unit: decode as a message that does nothing
  return static_cast<std::uint32_t>(std::lround(x) / divisor);
}

TrayMouseAction DispatchTrayMouseMessage(std::uint32_t mouse_message) {
  switch (mouse_message) {
    case kWmLButtonDblClk: return TrayMouseAction::OpenOptions;
    case kWmRButtonUp: return TrayMouseAction::ShowMenu;
    default: return TrayMouseAction::None;
  }
}

}  // namespace norvaket
