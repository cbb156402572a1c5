#pragma once

#include <string>

namespace norvaket::linux_platform {

// $XDG_CONFIG_HOME when it is set and absolute, else $HOME/.config (the home folder
// from the password database when HOME is unset or relative); empty when there is none.
std::string XdgConfigHome(const char* xdg_config_home, const char* home);

// The same from this process's environment.
std::string XdgConfigHomeFromEnvironment();

}  // namespace norvaket::linux_platform
