#pragma once

#include <cstddef>

#include "settings/profile_store.h"

namespace norvaket::linux_platform {

// INI files on disk with the profile functions' rules (see IniDocument). A read never
// creates anything and takes only a regular file of at most kMaxFileBytes; a write
// replaces the file atomically and keeps its permissions.
class IniFileStore final : public ProfileStore {
 public:
  static constexpr std::size_t kMaxFileBytes = 1024 * 1024;

  std::string GetProfileString(const std::string& section, const std::string& key,
                               const std::string& file_path) override;
  // Refuses (false) to replace a file it cannot read whole, so that nothing in it is lost.
  bool WriteProfileString(const std::string& section, const std::string& key,
                          const std::string& value, const std::string& file_path) override;
};

}  // namespace norvaket::linux_platform
