#include <iostream>

#include "tools/status/live_status.h"

namespace norvaket::status_tool {

// Builds without a live power source or settings store (for now: all of them).
int RunLiveStatus(const StatusOptions&, const Settings&) {
  std::cerr << "norvaket-status: this build cannot read live power readings; use --replay FILE\n";
  return 1;
}

bool LoadSettingsFile(const std::string&, Settings&, std::string& error) {
  error = "this build cannot read settings files yet";
  return false;
}

}  // namespace norvaket::status_tool
