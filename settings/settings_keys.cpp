#include "settings/settings_keys.h"

#include <array>
#include <cstdint>

#include "settings/ini_values.h"

namespace norvaket {

namespace {

struct FlagKey {
  const char* name;
  Flag Settings::*field;
  Flag default_value;
};

// Keys 1 to 12, in the order they are read and written.
constexpr std::array<FlagKey, 12> kFlagKeys{{
    {"NotifyAtRun", &Settings::NotifyAtRun, kTrue},
    {"NotifyAtResume", &Settings::NotifyAtResume, kTrue},
    {"NotifyLifePercent", &Settings::NotifyLifePercent, kFalse},
    {"NotifyLifePercentAtRun", &Settings::NotifyLifePercentAtRun, kFalse},
    {"NotifyPS0", &Settings::NotifyPS0, kTrue},
    {"NotifyPS1", &Settings::NotifyPS1, kFalse},
    {"NotifyPS2", &Settings::NotifyPS2, kFalse},
    {"NotifyRT", &Settings::NotifyRT, kTrue},
    {"NotifyCV0", &Settings::NotifyCV0, kFalse},
    {"NotifyCV1", &Settings::NotifyCV1, kFalse},
    {"NotifyCV2", &Settings::NotifyCV2, kTrue},
    {"NotifyCV4", &Settings::NotifyCV4, kTrue},
}};

// The fallback text stands in for a value that is not a number too, so that a
// mistyped value behaves like a missing one instead of failing the load.
std::int32_t ReadNumber(const IniStringReader& read, const std::string& key,
                        const std::string& fallback) {
  if (const auto number = ParseIniNumber(read(key, fallback))) return *number;
  return ParseIniNumber(fallback).value_or(0);
}

bool InPercentRange(std::int32_t value) {
  return value >= 1 && value <= 99;
}

}  // namespace

std::string ValueOrFallback(std::string value, const std::string& fallback) {
  if (value.empty() && !fallback.empty()) return fallback;
  return value;
}

void ReadSettingsRecord(const IniStringReader& read, Settings& settings) {
  for (const FlagKey& key : kFlagKeys) {
    settings.*key.field = ParseYesNo(read(key.name, ""), key.default_value);
  }
  settings.NotifyCV0Value = ReadNumber(read, "NotifyCV0Value", "80");
  settings.NotifyCV2Value = ReadNumber(read, "NotifyCV2Value", "20");
  if (!InPercentRange(settings.NotifyCV0Value)) settings.NotifyCV0Value = 50;
  if (!InPercentRange(settings.NotifyCV2Value)) settings.NotifyCV2Value = 20;
  settings.UseTimeStamp = ParseYesNo(read("UseTimeStamp", ""), kFalse);
  settings.UpdateInterval = ReadNumber(read, "UpdateInterval", "1000");
  if (settings.UpdateInterval < 1000) settings.UpdateInterval = 1000;
  if (settings.UpdateInterval > 60000) settings.UpdateInterval = 60000;
}

bool WriteSettingsRecord(const IniStringWriter& write, const Settings& settings) {
  bool all_written = true;
  const auto put = [&](const std::string& key, const std::string& value) {
    if (!write(key, value)) all_written = false;
  };
  for (const FlagKey& key : kFlagKeys) put(key.name, FormatYesNo(settings.*key.field));
  put("NotifyCV0Value", FormatIniNumber(settings.NotifyCV0Value));
  put("NotifyCV2Value", FormatIniNumber(settings.NotifyCV2Value));
  put("UseTimeStamp", FormatYesNo(settings.UseTimeStamp));
  return all_written;
}

}  // namespace norvaket
