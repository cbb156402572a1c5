#pragma once

#include <cstdint>

namespace norvaket {

// A flag holds -1 for true and 0 for false, never anything else: some readers
// test for -1 and others for non-zero.
using Flag = std::int16_t;
inline constexpr Flag kTrue = -1;
inline constexpr Flag kFalse = 0;

inline constexpr Flag ToFlag(bool value) { return value ? kTrue : kFalse; }

// Every user choice of the monitor. One instance lives for the whole run and is
// owned by the program object; LoadSettings fills it, the options dialog's
// apply changes it, and the rules read it directly.
struct Settings {
  Flag NotifyPS0 = kFalse;
  Flag NotifyPS1 = kFalse;
  Flag NotifyPS2 = kFalse;
  Flag NotifyRT = kFalse;
  Flag NotifyCV0 = kFalse;
  std::int32_t NotifyCV0Value = 0;
  Flag NotifyCV1 = kFalse;
  Flag NotifyCV2 = kFalse;
  std::int32_t NotifyCV2Value = 0;
  Flag NotifyCV4 = kFalse;
  Flag NotifyAtRun = kFalse;
  Flag NotifyAtResume = kFalse;
  Flag NotifyLifePercent = kFalse;
  Flag NotifyLifePercentAtRun = kFalse;
  Flag UseTimeStamp = kFalse;
  Flag AutoRun = kFalse;
  std::int32_t UpdateInterval = 0;

  friend bool operator==(const Settings&, const Settings&) = default;
};

// What a load without a settings file gives (AutoRun stays false until it is queried).
Settings DefaultSettings();

}  // namespace norvaket
