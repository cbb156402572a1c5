#pragma once

#include <cstdint>
#include <vector>

namespace norvaket {

// Tray icon ids: the state's number times 100 plus the icon level 0..10, or plus
// 25 when the level is unknown; 900 no battery, 901 unknown. Id 1 is the program icon.
inline constexpr std::int32_t kAppIconId = 1;
inline constexpr std::int32_t kIconLevelUnknownOffset = 25;
inline constexpr std::int32_t kIconNoBattery = 900;
inline constexpr std::int32_t kIconUnknown = 901;

// Every id the evaluation can choose (38 of them).
std::vector<std::int32_t> AllTrayIconIds();

}  // namespace norvaket
