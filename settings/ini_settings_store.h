#pragma once

#include <cstdint>
#include <string>

#include "settings/folder_lookup.h"
#include "settings/profile_store.h"
#include "settings/settings_store.h"

namespace norvaket {

// The settings record in <application-data folder>/Norvaket/Norvaket.ini. Each load and
// each save looks the folder up afresh, once for all its keys; nothing is cached from one
// to the next. Reading never creates anything.
class IniSettingsStore final : public SettingsStore {
 public:
  IniSettingsStore(ProfileStore& profile, FolderLookup& folders)
      : profile_(profile), folders_(folders) {}

  void LoadSettings(Settings& settings) override;
  bool SaveSettings(const Settings& settings) override;

  // The key's value in the settings section of `file_path`, or `fallback` when it is
  // empty or missing.
  std::string ReadIniString(const std::string& file_path, const std::string& key,
                            const std::string& fallback);

  // The special folder's path; the executable's folder when the folder is not there or
  // the number is not known; empty on any other failure.
  std::string GetSpecialFolderPath(std::int32_t folder_id);
  std::string SettingsFolder();
  std::string SettingsFilePath();

 private:
  std::string SettingsFolderBelow(const std::string& base);
  std::string SettingsFileIn(const std::string& folder);
  // Creates the settings folder when it is missing; the settings file's path.
  std::string PrepareSettingsFolder();

  ProfileStore& profile_;
  FolderLookup& folders_;
};

}  // namespace norvaket
