#pragma once

#include <string>

#include "settings/folder_lookup.h"

namespace norvaket::linux_platform {

// The XDG configuration folder plays the per-user application-data folder. The query
// never creates it: reading the settings must leave no trace, and the store creates
// the folder on its first write.
class XdgFolderLookup final : public FolderLookup {
 public:
  // `config_home` empty: there is no home to put settings in.
  XdgFolderLookup(std::string config_home, std::string executable_folder)
      : config_home_(std::move(config_home)), executable_folder_(std::move(executable_folder)) {}

  // From XDG_CONFIG_HOME / HOME and /proc/self/exe.
  static XdgFolderLookup FromEnvironment();

  std::int32_t GetFolderPath(std::int32_t folder_id, std::string& path) override;
  std::string ExecutableFolder() override { return executable_folder_; }
  bool Exists(const std::string& path) override;
  // Private to the user (0700), as the XDG folders are meant to be.
  bool CreateFolder(const std::string& path) override;
  std::string PathSeparator() override { return "/"; }

 private:
  std::string config_home_;
  std::string executable_folder_;
};

}  // namespace norvaket::linux_platform
