#include "settings/settings_fields.h"

namespace norvaket {

Settings DefaultSettings() {
  Settings settings;
  for (const SettingsField& field : kSettingsFields) {
    if (const auto* flag = std::get_if<Flag Settings::*>(&field.member)) {
      settings.**flag = static_cast<Flag>(field.default_value);
    } else {
      settings.*std::get<std::int32_t Settings::*>(field.member) = field.default_value;
    }
  }
  return settings;
}

}  // namespace norvaket
