#include "settings/settings_reader_writer.h"

#include <cstdint>

#include "settings/ini_values.h"
#include "settings/settings_fields.h"

namespace norvaket {

namespace {

// A mistyped value behaves like a missing one instead of failing the load.
std::int32_t ReadNumber(const IniStringReader& read, const SettingsField& field) {
  return ParseIniNumber(read(std::string(field.key), "")).value_or(field.default_value);
}

std::int32_t HeldToRange(const SettingsField& field, std::int32_t value) {
  if (field.range.Contains(value)) return value;
  return field.out_of_range.value_or(field.range.Clamp(value));
}

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
    if (const auto* flag = std::get_if<Flag Settings::*>(&field.member)) {
      settings.**flag =
          ParseYesNo(read(std::string(field.key), ""), static_cast<Flag>(field.default_value));
    } else {
      settings.*std::get<std::int32_t Settings::*>(field.member) =
          HeldToRange(field, ReadNumber(read, field));
    }
  }
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
