#include "tray/power_settings_command.h"

#include <algorithm>
#include <cctype>

namespace norvaket {
namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

std::vector<std::string> SplitDesktops(std::string_view list) {
  std::vector<std::string> desktops;
  std::size_t start = 0;
  while (start <= list.size()) {
    const std::size_t end = std::min(list.find(':', start), list.size());
    if (end > start) desktops.push_back(Lower(list.substr(start, end - start)));
    start = end + 1;
  }
  return desktops;
}

bool BelongsTo(const PowerSettingsProgram& program, const std::vector<std::string>& desktops) {
  for (const std::string& desktop : program.desktops) {
    if (std::find(desktops.begin(), desktops.end(), Lower(desktop)) != desktops.end()) return true;
  }
  return false;
}

}  // namespace

const std::vector<PowerSettingsProgram>& KnownPowerSettingsPrograms() {
  static const std::vector<PowerSettingsProgram> programs = {
      {{"KDE"}, {"systemsettings", "kcm_powerdevilprofilesconfig"}},
      {{"GNOME", "Unity", "Budgie"}, {"gnome-control-center", "power"}},
      {{"XFCE"}, {"xfce4-power-manager-settings"}},
      {{"MATE"}, {"mate-power-preferences"}},
      {{"LXQt"}, {"lxqt-config-powermanagement"}},
      {{"X-Cinnamon", "Cinnamon"}, {"cinnamon-settings", "power"}},
  };
  return programs;
}

std::optional<std::vector<std::string>> ChoosePowerSettingsCommand(
    std::string_view xdg_current_desktop, const std::function<bool(const std::string&)>& installed) {
  const std::vector<std::string> desktops = SplitDesktops(xdg_current_desktop);
  const PowerSettingsProgram* first_installed = nullptr;
  for (const PowerSettingsProgram& program : KnownPowerSettingsPrograms()) {
    if (!installed(program.command.front())) continue;
    if (BelongsTo(program, desktops)) return program.command;
    if (first_installed == nullptr) first_installed = &program;
  }
  if (first_installed != nullptr) return first_installed->command;
  return std::nullopt;
}

}  // namespace norvaket
