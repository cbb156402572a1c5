#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tools/status/replay_trace.h"

namespace norvaket::status_tool {

struct StatusOptions {
  std::string replay_file;                     // --replay FILE
  std::optional<replay::TimeOfDay> start_time; // --start-time HH:MM:SS
  std::string settings_file;                   // --settings INI
  std::string source = "auto";                 // --source auto|upower|sysfs
  std::string sysfs_dir;                       // --sysfs DIR
  bool watch = false;                          // --watch
  bool show_version = false;                   // --version
  bool show_help = false;                      // --help
};

// Sets `error` and gives nothing when the arguments are not usable.
std::optional<StatusOptions> ParseStatusOptions(const std::vector<std::string>& args,
                                                std::string& error);

const char* UsageText();

}  // namespace norvaket::status_tool
