#pragma once

#include "platform/win32/win32_profile_store.h"
#include "settings/folder_lookup.h"
#include "settings/ini_settings_store.h"
#include "settings/settings_store.h"

namespace norvaket::win32 {

// The settings file of the Windows program. A save writes the fifteen keys
// into one copy of Norvaket.ini and then replaces the file with it, so the
// file on disk is always either the old one or the new one, whole.
class Win32SettingsStore final : public SettingsStore {
 public:
  Win32SettingsStore(Win32ProfileStore& files, FolderLookup& folders)
      : Win32SettingsStore(files, files, folders) {}
  // `keys` reads and writes the keys; it is `files` itself, or something that
  // passes them on to it.
  Win32SettingsStore(Win32ProfileStore& files, ProfileStore& keys, FolderLookup& folders)
      : files_(files), ini_(keys, folders) {}

  void LoadSettings(Settings& settings) override { ini_.LoadSettings(settings); }
  // A save with any key unwritten leaves the old file as it was.
  bool SaveSettings(const Settings& settings) override;

  std::string SettingsFilePath() { return ini_.SettingsFilePath(); }

 private:
  Win32ProfileStore& files_;
  IniSettingsStore ini_;
};

}  // namespace norvaket::win32
