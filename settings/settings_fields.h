#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <variant>

#include "settings/settings.h"

namespace norvaket {

// An inclusive range of whole numbers.
struct NumberRange {
  std::int32_t lowest;
  std::int32_t highest;

  constexpr bool Contains(double value) const { return value >= lowest && value <= highest; }
  constexpr std::int32_t Clamp(std::int64_t value) const {
    if (value < lowest) return lowest;
    if (value > highest) return highest;
    return static_cast<std::int32_t>(value);
  }
};

// The battery levels a user may choose for a notification.
inline constexpr NumberRange kPercentRange{1, 99};

// One field of the settings record: where it is kept in the settings file, what it is
// without a file, which control of the options dialog shows it, and which numbers it
// accepts. AutoRun is not here: the autorun entry, not the file, holds it.
struct SettingsField {
  std::string_view key;
  std::variant<Flag Settings::*, std::int32_t Settings::*> member;
  // A missing key, and a number that is not one, read as this.
  std::int32_t default_value = 0;
  // The options dialog's check box or value box; empty when the dialog has none.
  std::string_view control = {};
  // Numbers only: a stored number outside the range becomes `out_of_range`, or is held
  // to the range when that is empty.
  NumberRange range = {};
  std::optional<std::int32_t> out_of_range = std::nullopt;
  // Written by every save; a field that is not is only ever edited by hand.
  bool saved = true;
};

constexpr SettingsField FlagField(std::string_view key, Flag Settings::*member, Flag default_value,
                                  std::string_view check_box) {
  return {key, member, default_value, check_box};
}

// Every key of the settings file, in the order a save writes them.
inline constexpr std::array<SettingsField, 16> kSettingsFields{{
    FlagField("NotifyAtRun", &Settings::NotifyAtRun, kTrue, "chkNotifyAtRun"),
    FlagField("NotifyAtResume", &Settings::NotifyAtResume, kTrue, "chkNotifyAtResume"),
    FlagField("NotifyLifePercent", &Settings::NotifyLifePercent, kFalse, ""),
    FlagField("NotifyLifePercentAtRun", &Settings::NotifyLifePercentAtRun, kFalse,
              "chkNotifyLifePercentAtRun"),
    FlagField("NotifyPS0", &Settings::NotifyPS0, kTrue, "chkNotifyPS0"),
    FlagField("NotifyPS1", &Settings::NotifyPS1, kFalse, "chkNotifyPS1"),
    FlagField("NotifyPS2", &Settings::NotifyPS2, kFalse, "chkNotifyPS2"),
    FlagField("NotifyRT", &Settings::NotifyRT, kTrue, "chkNotifyRT"),
    FlagField("NotifyCV0", &Settings::NotifyCV0, kFalse, "chkNotifyCV0"),
    FlagField("NotifyCV1", &Settings::NotifyCV1, kFalse, ""),
    FlagField("NotifyCV2", &Settings::NotifyCV2, kTrue, "chkNotifyCV2"),
    FlagField("NotifyCV4", &Settings::NotifyCV4, kTrue, "chkNotifyCV4"),
    // An out-of-range charge level falls back to the middle, not to its default.
    {"NotifyCV0Value", &Settings::NotifyCV0Value, 80, "txtCV0Value", kPercentRange, 50},
    {"NotifyCV2Value", &Settings::NotifyCV2Value, 20, "txtCV2Value", kPercentRange, 20},
    FlagField("UseTimeStamp", &Settings::UseTimeStamp, kFalse, "chkUseTimeStamp"),
    {"UpdateInterval", &Settings::UpdateInterval, 1000, "", {1000, 60000}, std::nullopt, false},
}};

}  // namespace norvaket
