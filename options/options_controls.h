#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "settings/settings.h"
#include "settings/settings_fields.h"

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

inline constexpr std::array<OptionsValueBox, 2> kAllValueBoxes{OptionsValueBox::txtCV2Value,
                                                               OptionsValueBox::txtCV0Value};

// Indexed by the enums above.
inline constexpr std::array<std::string_view, 12> kCheckBoxNames{
    "chkNotifyAtRun", "chkNotifyAtResume", "chkNotifyLifePercentAtRun", "chkNotifyPS0",
    "chkNotifyPS1",   "chkNotifyPS2",      "chkNotifyRT",               "chkNotifyCV0",
    "chkNotifyCV2",   "chkNotifyCV4",      "chkUseTimeStamp",           "chkAutoRun",
};
inline constexpr std::array<std::string_view, 2> kValueBoxNames{"txtCV2Value", "txtCV0Value"};

constexpr std::string_view ControlName(OptionsCheckBox box) {
  return kCheckBoxNames[static_cast<std::size_t>(box)];
}
constexpr std::string_view ControlName(OptionsValueBox box) {
  return kValueBoxNames[static_cast<std::size_t>(box)];
}

// The check box or value box a control's name names, if any.
constexpr std::optional<OptionsCheckBox> CheckBoxNamed(std::string_view name) {
  for (const OptionsCheckBox box : kAllCheckBoxes) {
    if (ControlName(box) == name) return box;
  }
  return std::nullopt;
}
constexpr std::optional<OptionsValueBox> ValueBoxNamed(std::string_view name) {
  for (const OptionsValueBox box : kAllValueBoxes) {
    if (ControlName(box) == name) return box;
  }
  return std::nullopt;
}

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
  OptionsCheckBox box = OptionsCheckBox::chkAutoRun;
  Flag Settings::*field = nullptr;
};

// A value box bound to one number of the settings record, with the numbers it accepts.
struct ValueBoxBinding {
  OptionsValueBox box = OptionsValueBox::txtCV2Value;
  std::int32_t Settings::*field = nullptr;
  NumberRange range = {};
};

namespace options_binding {

template <typename Member>
constexpr std::size_t CountShown() {
  std::size_t count = 0;
  for (const SettingsField& field : kSettingsFields) {
    if (std::holds_alternative<Member>(field.member) && !field.control.empty()) ++count;
  }
  return count;
}

constexpr auto BindCheckBoxes() {
  std::array<CheckBoxBinding, CountShown<Flag Settings::*>()> bindings{};
  std::size_t next = 0;
  for (const SettingsField& field : kSettingsFields) {
    // std::get_if is not a constant expression under the sanitizers' null checks.
    if (!std::holds_alternative<Flag Settings::*>(field.member) || field.control.empty()) continue;
    const std::optional<OptionsCheckBox> box = CheckBoxNamed(field.control);
    if (!box) throw "a settings field names a control the options dialog does not have";
    bindings[next++] = {*box, std::get<Flag Settings::*>(field.member)};
  }
  return bindings;
}

// In the order of OptionsValueBox, top row first.
constexpr auto BindValueBoxes() {
  std::array<ValueBoxBinding, CountShown<std::int32_t Settings::*>()> bindings{};
  std::size_t next = 0;
  for (const OptionsValueBox box : kAllValueBoxes) {
    for (const SettingsField& field : kSettingsFields) {
      if (field.control != ControlName(box)) continue;
      bindings[next++] = {box, std::get<std::int32_t Settings::*>(field.member), field.range};
    }
  }
  return bindings;
}

}  // namespace options_binding

// The check boxes and value boxes that show a settings field, as kSettingsFields names them.
inline constexpr auto kSettingCheckBoxes = options_binding::BindCheckBoxes();
inline constexpr auto kSettingValueBoxes = options_binding::BindValueBoxes();
static_assert(kSettingCheckBoxes.size() == kAllCheckBoxes.size() - 1,
              "every check box but chkAutoRun shows a settings field");
static_assert(kSettingValueBoxes.size() == kAllValueBoxes.size(),
              "every value box shows a settings field");

}  // namespace norvaket
