#include "tools/status/settings_file.h"

namespace norvaket::status_tool {

// Builds without a settings store.
bool LoadSettingsFile(const std::string&, Settings&, std::string& error) {
  error = "this build cannot read settings files";
  return false;
}

}  // namespace norvaket::status_tool
