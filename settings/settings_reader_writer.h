#pragma once

#include <functional>
#include <string>

#include "settings/settings.h"

namespace norvaket {

// The one section of the settings file; fixed, whatever the program's version.
inline constexpr const char* kSettingsSection = "Norvaket 1.00";

// Reads one key: its value, or `fallback` when the value is empty or missing.
using IniStringReader =
    std::function<std::string(const std::string& key, const std::string& fallback)>;
// Writes one key; false when it was not written.
using IniStringWriter = std::function<bool(const std::string& key, const std::string& value)>;

// Fills every field of kSettingsFields from its key, with its default and range
// rule. A number that is not one, or does not fit in 32 bits, counts as missing.
void ReadSettingsRecord(const IniStringReader& read, Settings& settings);

// Writes the saved fields of kSettingsFields in their order, each
// even after an earlier one failed; true only when all of them were written.
bool WriteSettingsRecord(const IniStringWriter& write, const Settings& settings);

// The read rule shared by every reader: an empty value is the same as a missing key.
std::string ValueOrFallback(std::string value, const std::string& fallback);

}  // namespace norvaket
