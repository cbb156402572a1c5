#pragma once

#include <string>

#include "settings/settings.h"

namespace norvaket::status_tool {

// Loads the INI file at `path` with the program's own rules into `settings`.
bool LoadSettingsFile(const std::string& path, Settings& settings, std::string& error);

}  // namespace norvaket::status_tool
