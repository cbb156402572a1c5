#pragma once

#include <cstdint>
#include <string>

#include "settings/folder_lookup.h"
#include "settings/profile_store.h"
#include "settings/settings_store.h"

namespace norvaket {

// The settings record in <application-data folder>/Norvaket/Norvaket.ini. Every read or
// write looks the folder up afresh; nothing is cached. Reading never creates anything.
class IniSettingsStore final : public SettingsStore {
 public:
  IniSettingsStore(ProfileStore& profile, FolderLookup& folders)
      : profile_(profile), folders_(folders) {}

  void LoadSettings(Settings& settings) override;
  bool SaveSettings(const Settings& settings) override;

  // The key's value in the settings section, or `fallback` when it is empty or missing.
  std::string ReadIniString(const std::string& key, const std::string& fallback);
  // Sets the key, creating the settings folder first when it is missing; false when
  // the file was not written.
  bool WriteIniString(const std::string& key, const std::string& value);

  // The special folder's path; the executable's folder when the folder is not there or
  // the number is not known; empty on any other failure.
  std::string GetSpecialFolderPath(std::int32_t folder_id);
  std::string SettingsFolder();
  std::string SettingsFilePath();

 private:
  std::string SettingsFolderBelow(const std::string& base);

  ProfileStore& profile_;
  FolderLookup& folders_;
};

}  // namespace norvaket
