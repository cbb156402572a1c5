#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "resources/version_info.h"
#include "tools/status/live_status.h"
#include "tools/status/replay_command.h"
#include "tools/status/settings_file.h"
#include "tools/status/status_options.h"

namespace {

int Run(const std::vector<std::string>& args) {
  using namespace norvaket;
  std::string error;
  const auto options = status_tool::ParseStatusOptions(args, error);
  if (!options) {
    std::cerr << "norvaket-status: " << error << "\n" << status_tool::UsageText();
    return 2;
  }
  if (options->show_help) {
    std::cout << status_tool::UsageText();
    return 0;
  }
  if (options->show_version) {
    std::cout << "norvaket-status " << version::kVersionText << " (" << version::kTitle << ")\n";
    return 0;
  }
  Settings settings = DefaultSettings();
  if (!options->settings_file.empty() &&
      !status_tool::LoadSettingsFile(options->settings_file, settings, error)) {
    std::cerr << "norvaket-status: " << error << "\n";
    return 1;
  }
  if (options->replay_file.empty()) return status_tool::RunLiveStatus(*options, settings);

  std::ifstream trace(options->replay_file, std::ios::binary);
  if (!trace) {
    std::cerr << "norvaket-status: cannot read " << options->replay_file << "\n";
    return 1;
  }
  return replay::RunReplay(trace, settings, options->start_time.value_or(replay::TimeOfDay{}),
                           std::cout, std::cerr);
}

}  // namespace

int main(int argc, char** argv) { return Run(std::vector<std::string>(argv + 1, argv + argc)); }
