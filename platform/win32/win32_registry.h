#pragma once

#include "settings/registry_api.h"

namespace norvaket::win32 {

// The Windows registry through the W calls. Text values are UTF-16 in the
// registry and UTF-8 followed by one NUL on the portable side.
class Win32Registry final : public RegistryApi {
 public:
  RegistryResult OpenKey(RegistryKey root, const std::string& path, RegistryKey& key) override;
  RegistryResult CreateKey(RegistryKey root, const std::string& path, RegistryKey& key) override;
  RegistryResult QueryValue(RegistryKey key, const std::string& name, std::uint32_t& type,
                            std::vector<std::uint8_t>& data) override;
  RegistryResult SetValue(RegistryKey key, const std::string& name, std::uint32_t type,
                          const std::vector<std::uint8_t>& data) override;
  RegistryResult DeleteValue(RegistryKey key, const std::string& name) override;
  RegistryResult CloseKey(RegistryKey key) override;
};

}  // namespace norvaket::win32
