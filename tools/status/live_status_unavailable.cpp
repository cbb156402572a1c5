#include <iostream>

#include "tools/status/live_status.h"

namespace norvaket::status_tool {

// Builds without a live power source.
int RunLiveStatus(const StatusOptions&, const Settings&) {
  std::cerr << "norvaket-status: this build cannot read live power readings; use --replay FILE\n";
  return 1;
}

}  // namespace norvaket::status_tool
