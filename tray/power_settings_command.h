#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace norvaket {

// A desktop's power settings program: the desktops it belongs to (as named in
// XDG_CURRENT_DESKTOP) and its command line, program first.
struct PowerSettingsProgram {
  std::vector<std::string> desktops;
  std::vector<std::string> command;
};

const std::vector<PowerSettingsProgram>& KnownPowerSettingsPrograms();

// The program that fits the current desktop among the installed ones, else the
// first installed one; nothing when none is installed. `xdg_current_desktop` is a
// colon-separated list, compared without regard to letter case.
std::optional<std::vector<std::string>> ChoosePowerSettingsCommand(
    std::string_view xdg_current_desktop, const std::function<bool(const std::string&)>& installed);

}  // namespace norvaket
