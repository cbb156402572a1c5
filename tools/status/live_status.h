#pragma once

#include "settings/settings.h"
#include "tools/status/status_options.h"

namespace norvaket::status_tool {

// Reads the live power source of this platform and prints it (--watch: until
// SIGINT or SIGTERM). Returns the exit status.
int RunLiveStatus(const StatusOptions& options, const Settings& settings);

}  // namespace norvaket::status_tool
