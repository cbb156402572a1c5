#include "tools/status/status_options.h"

namespace norvaket::status_tool {

const char* UsageText() {
  return "usage: norvaket-status --replay FILE [--start-time HH:MM:SS] [--settings INI]\n"
         "       norvaket-status [--source auto|upower|sysfs] [--sysfs DIR]\n"
         "                       [--start-time HH:MM:SS] [--watch] [--settings INI]\n"
         "       norvaket-status --version\n";
}

std::optional<StatusOptions> ParseStatusOptions(const std::vector<std::string>& args,
                                                std::string& error) {
  StatusOptions options;
  bool source_given = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool takes_value = arg == "--replay" || arg == "--start-time" || arg == "--settings" ||
                             arg == "--source" || arg == "--sysfs";
    if (takes_value && i + 1 >= args.size()) {
      error = arg + " needs a value";
      return std::nullopt;
    }
    if (arg == "--replay") {
      options.replay_file = args[++i];
    } else if (arg == "--start-time") {
      options.start_time = replay::ParseTimeOfDay(args[++i]);
      if (!options.start_time) {
        error = "--start-time takes HH:MM:SS";
        return std::nullopt;
      }
    } else if (arg == "--settings") {
      options.settings_file = args[++i];
    } else if (arg == "--source") {
      options.source = args[++i];
      source_given = true;
      if (options.source != "auto" && options.source != "upower" && options.source != "sysfs") {
        error = "--source takes auto, upower or sysfs";
        return std::nullopt;
      }
    } else if (arg == "--sysfs") {
      options.sysfs_dir = args[++i];
    } else if (arg == "--watch") {
      options.watch = true;
    } else if (arg == "--version") {
      options.show_version = true;
    } else if (arg == "--help" || arg == "-h") {
      options.show_help = true;
    } else {
      error = "unknown argument '" + arg + "'";
      return std::nullopt;
    }
  }
  if (!options.sysfs_dir.empty()) {
    if (source_given && options.source != "sysfs") {
      error = "--sysfs reads the sysfs source only";
      return std::nullopt;
    }
    options.source = "sysfs";
  }
  if (!options.replay_file.empty() && (source_given || !options.sysfs_dir.empty() || options.watch)) {
    error = "--replay takes no live source options";
    return std::nullopt;
  }
  return options;
}

}  // namespace norvaket::status_tool
