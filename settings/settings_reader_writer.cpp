#include "settings/settings_reader_writer.h"

#include <cstdint>

#include "settings/ini_values.h"
#include "settings/settings_fields.h"

namespace norvaket {

namespace {

std::int32_t HeldToRange(const SettingsField& field, std::int32_t value) {
  if (field.range.Contains(value)) return value;
  return field.out_of_range.value_or(field.range.Clamp(value));
}

// The one place where a field's type decides how its text is read. A mistyped value
// behaves like a missing one instead of failing the load.
void ReadField(const SettingsField& field, const std::string& text, Settings& settings) {
  if (const auto* flag = std::get_if<Flag Settings::*>(&field.member)) {
    settings.**flag = ParseYesNo(text, static_cast<Flag>(field.default_value));
  } else {
    settings.*std::get<std::int32_t Settings::*>(field.member) =
        HeldToRange(field, ParseIniNumber(text).value_or(field.default_value));
  }
}

// The one place where a field's type decides how it is written.
std::string FormatField(const SettingsField& field, const Settings& settings) {
  if (const auto* flag = std::get_if<Flag Settings::*>(&field.member)) {
    return FormatYesNo(settings.**flag);
  }
  return FormatIniNumber(settings.*std::get<std::int32_t Settings::*>(field.member));
}

}  // namespace

std::string ValueOrFallback(std::string value, const std::string& fallback) {
  if (value.empty() && !fallback.empty()) return fallback;
  return value;
}

void ReadSettingsRecord(const IniStringReader& read, Settings& settings) {
  for (const SettingsField& field : kSettingsFields) {
    ReadField(field, read(std::string(field.key), ""), settings);
  }
}

// The defaults are written down once, in the field table: they are what reading an
// empty file gives.
Settings DefaultSettings() {
  Settings settings;
  ReadSettingsRecord([](const std::string&, const std::string&) { return std::string(); },
                     settings);
  return settings;
}

bool WriteSettingsRecord(const IniStringWriter& write, const Settings& settings) {
  bool all_written = true;
  for (const SettingsField& field : kSettingsFields) {
    if (field.saved && !write(std::string(field.key), FormatField(field, settings))) {
      all_written = false;
    }
  }
  return all_written;
}

}  // namespace norvaket
