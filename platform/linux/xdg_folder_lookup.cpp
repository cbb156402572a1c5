#include "platform/linux/xdg_folder_lookup.h"

#include <sys/stat.h>

#include "platform/linux/executable_path.h"
#include "platform/linux/xdg_config_home.h"

namespace norvaket::linux_platform {

XdgFolderLookup XdgFolderLookup::FromEnvironment() {
  return XdgFolderLookup(XdgConfigHomeFromEnvironment(), linux_platform::ExecutableFolder());
}

std::int32_t XdgFolderLookup::GetFolderPath(std::int32_t folder_id, std::string& path) {
  if ((folder_id & ~kCsidlFlagCreate) != kCsidlAppData) return kFolderBadId;
  if (config_home_.empty()) return kFolderNotThere;
  path = config_home_;
  return kFolderFound;
}

bool XdgFolderLookup::Exists(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0;
}

bool XdgFolderLookup::CreateFolder(const std::string& path) {
  return ::mkdir(path.c_str(), 0700) == 0;
}

}  // namespace norvaket::linux_platform
