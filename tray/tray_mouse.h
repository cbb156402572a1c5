#pragma once

#include <cstdint>

namespace norvaket {

inline constexpr std::uint32_t kWmLButtonDblClk = 0x203;
inline constexpr std::uint32_t kWmRButtonUp = 0x205;

enum class TrayMouseAction { None, OpenOptions, ShowMenu };

// The callback's mouse message arrives as the X coordinate of a mouse-move event.
// In a window whose unit is not the pixel, X is in that unit: divide by the
// screen's units per pixel (both rounded to whole numbers first).
std::uint32_t DecodeTrayCallback(double x, bool unit_is_pixel, double units_per_pixel);

// A left double-click opens the options dialog, a right-button release the menu;
// every other mouse message does nothing.
TrayMouseAction DispatchTrayMouseMessage(std::uint32_t mouse_message);

}  // namespace norvaket
