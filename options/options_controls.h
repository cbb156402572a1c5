#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "settings/settings.h"

namespace norvaket {

// The check boxes of the options dialog, named as their controls. The view
// uses ControlName for its widgets' object names, so tests find them by name.
enum class OptionsCheckBox {
  chkNotifyAtRun,
  chkNotifyAtResume,
  chkNotifyLifePercentAtRun,
  chkNotifyPS0,
  chkNotifyPS1,
  chkNotifyPS2,
  chkNotifyRT,
  chkNotifyCV0,
  chkNotifyCV2,
  chkNotifyCV4,
  chkUseTimeStamp,
  chkAutoRun,
};

// The two free-text value boxes, each with a stepper at its right edge.
enum class OptionsValueBox { txtCV2Value, txtCV0Value };

// A check box's state as the controls report it. Grayed is never set by the
// dialog; a box in that state counts as off.
using CheckState = std::int16_t;
inline constexpr CheckState kUnchecked = 0;
inline constexpr CheckState kChecked = 1;
inline constexpr CheckState kGrayed = 2;

// The one way from a check box into the settings: -1 for checked, 0 for anything else.
inline constexpr Flag IsChecked(CheckState state) {
  return state == kChecked ? kTrue : kFalse;
}

// A check box bound to one flag of the settings record, in the order the
// dialog loads and stores them.
struct CheckBoxBinding {
  OptionsCheckBox box;
  Flag Settings::*field;
};

inline constexpr std::array<CheckBoxBinding, 11> kSettingCheckBoxes{{
    {OptionsCheckBox::chkNotifyAtRun, &Settings::NotifyAtRun},
    {OptionsCheckBox::chkNotifyAtResume, &Settings::NotifyAtResume},
    {OptionsCheckBox::chkNotifyLifePercentAtRun, &Settings::NotifyLifePercentAtRun},
    {OptionsCheckBox::chkNotifyPS0, &Settings::NotifyPS0},
    {OptionsCheckBox::chkNotifyPS1, &Settings::NotifyPS1},
    {OptionsCheckBox::chkNotifyPS2, &Settings::NotifyPS2},
    {OptionsCheckBox::chkNotifyRT, &Settings::NotifyRT},
    {OptionsCheckBox::chkNotifyCV0, &Settings::NotifyCV0},
    {OptionsCheckBox::chkNotifyCV2, &Settings::NotifyCV2},
    {OptionsCheckBox::chkNotifyCV4, &Settings::NotifyCV4},
    {OptionsCheckBox::chkUseTimeStamp, &Settings::UseTimeStamp},
}};

inline constexpr std::array<OptionsCheckBox, 12> kAllCheckBoxes{
    OptionsCheckBox::chkNotifyAtRun,
    OptionsCheckBox::chkNotifyAtResume,
    OptionsCheckBox::chkNotifyLifePercentAtRun,
    OptionsCheckBox::chkNotifyPS0,
    OptionsCheckBox::chkNotifyPS1,
    OptionsCheckBox::chkNotifyPS2,
    OptionsCheckBox::chkNotifyRT,
    OptionsCheckBox::chkNotifyCV0,
    OptionsCheckBox::chkNotifyCV2,
    OptionsCheckBox::chkNotifyCV4,
    OptionsCheckBox::chkUseTimeStamp,
    OptionsCheckBox::chkAutoRun,
};

std::string_view ControlName(OptionsCheckBox box);
std::string_view ControlName(OptionsValueBox box);

}  // namespace norvaket
