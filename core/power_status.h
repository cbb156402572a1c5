#pragma once

#include <cstdint>
#include <string>

namespace norvaket {

// One snapshot of the power supply, laid out like the Win32 SYSTEM_POWER_STATUS
// record so that the Windows source can hand it over as it is.
struct PowerStatus {
  std::uint8_t ACLineStatus = 0;
  std::uint8_t BatteryFlag = 0;
  std::uint8_t BatteryLifePercent = 0;
  std::uint8_t Reserved1 = 0;
  std::int32_t BatteryLifeTime = 0;
  std::int32_t BatteryFullLifeTime = 0;

  friend bool operator==(const PowerStatus&, const PowerStatus&) = default;
};
static_assert(sizeof(PowerStatus) == 12, "PowerStatus must match SYSTEM_POWER_STATUS");

inline constexpr std::uint8_t kACLineOffline = 0;
inline constexpr std::uint8_t kACLineOnline = 1;
inline constexpr std::uint8_t kACLineUnknown = 255;

inline constexpr std::uint8_t kBatteryFlagHigh = 1;
inline constexpr std::uint8_t kBatteryFlagLow = 2;
inline constexpr std::uint8_t kBatteryFlagCritical = 4;
inline constexpr std::uint8_t kBatteryFlagCharging = 8;
inline constexpr std::uint8_t kBatteryFlagNoSystemBattery = 128;
inline constexpr std::uint8_t kBatteryFlagUnknown = 255;

inline constexpr std::uint8_t kBatteryPercentUnknown = 255;
inline constexpr std::int32_t kBatteryTimeUnknown = -1;

// The level's share of BatteryFlag, as Windows sets it: high above 66 %, low below
// 33 %, critical below 5 % as well; nothing for an unknown level.
std::uint8_t BatteryLevelFlags(std::uint8_t percent);

// The states are compared by size (below 3, below 8) and serve as the hundreds
// digit of the icon ids, so their numbers are fixed. psUnset and psFresh are
// markers of the two-step start, never a classification.
enum PowerState : std::int32_t {
  psFresh = -1,
  psUnset = 0,
  psAC = 1,
  psBattery = 2,
  psCharging = 3,
  psNoBattery = 8,
  psUnknown = 9,
};

PowerState ClassifyPowerStatus(const PowerStatus& status);

// A level is usable when it lies in 0..100; anything else (in practice 255) is unknown.
bool IsLevelUsable(int percent);

// 0..9 % give 0, 10..19 % give 1, ..., exactly 100 % gives 10.
int IconLevel(int percent);

// "##0" followed by "%": 0%, 85%, 100%, 255%.
std::string FormatPercent(std::int32_t value);

}  // namespace norvaket
