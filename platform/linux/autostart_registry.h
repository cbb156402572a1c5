#pragma once

#include <map>
#include <string>

#include "settings/registry_api.h"

namespace norvaket::linux_platform {

// The one registry value the program uses, HKCU\...\Run "Norvaket", kept as the XDG
// autostart entry <config home>/autostart/Norvaket.desktop. Setting a REG_SZ writes an
// entry whose Exec line runs the command; querying gives that command back while the
// entry exists, is not Hidden=true and has an Exec line; deleting removes the file.
// Every other key, value name or value type is refused.
class AutostartRegistry final : public RegistryApi {
 public:
  static constexpr RegistryResult kFileNotFound = 2;       // ERROR_FILE_NOT_FOUND
  static constexpr RegistryResult kAccessDenied = 5;       // ERROR_ACCESS_DENIED
  static constexpr RegistryResult kInvalidHandle = 6;      // ERROR_INVALID_HANDLE
  static constexpr RegistryResult kInvalidParameter = 87;  // ERROR_INVALID_PARAMETER

  // `config_home` empty: there is nowhere to keep the entry, and every write fails.
  AutostartRegistry(std::string config_home, std::string entry_name);

  // From XDG_CONFIG_HOME / HOME, with the program's display title as the entry name.
  static AutostartRegistry FromEnvironment();

  std::string EntryPath() const;

  RegistryResult OpenKey(RegistryKey root, const std::string& path, RegistryKey& key) override;
  RegistryResult CreateKey(RegistryKey root, const std::string& path, RegistryKey& key) override;
  RegistryResult QueryValue(RegistryKey key, const std::string& name, std::uint32_t& type,
                            std::vector<std::uint8_t>& data) override;
  RegistryResult SetValue(RegistryKey key, const std::string& name, std::uint32_t type,
                          const std::vector<std::uint8_t>& data) override;
  RegistryResult DeleteValue(RegistryKey key, const std::string& name) override;
  RegistryResult CloseKey(RegistryKey key) override;

 private:
  bool IsRunKey(RegistryKey root, const std::string& path) const;
  RegistryResult CheckValue(RegistryKey key, const std::string& name) const;
  bool MakeAutostartFolder() const;

  std::string config_home_;
  std::string entry_name_;
  std::map<RegistryKey, bool> open_keys_;
  RegistryKey next_key_ = 1;
};

}  // namespace norvaket::linux_platform
