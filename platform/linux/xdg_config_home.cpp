#include "platform/linux/xdg_config_home.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace norvaket::linux_platform {

namespace {

bool IsAbsolute(const char* path) {
  return path != nullptr && path[0] == '/';
}

std::string HomeFromPasswordDatabase() {
  struct passwd entry {};
  struct passwd* found = nullptr;
  std::vector<char> buffer(16384);
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
      found == nullptr || !IsAbsolute(found->pw_dir)) {
    return {};
  }
  return found->pw_dir;
}

}  // namespace

std::string XdgConfigHome(const char* xdg_config_home, const char* home) {
  if (IsAbsolute(xdg_config_home)) return xdg_config_home;
  std::string base = IsAbsolute(home) ? std::string(home) : HomeFromPasswordDatabase();
  if (base.empty()) return {};
  if (base.back() != '/') base += '/';
  return base + ".config";
}

std::string XdgConfigHomeFromEnvironment() {
  return XdgConfigHome(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

}  // namespace norvaket::linux_platform
