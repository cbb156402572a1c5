#pragma once

#include <cstddef>
#include <string>

#include "platform/linux/ini_file_copy.h"
#include "settings/staged_profile_store.h"

namespace norvaket::linux_platform {

// INI files on disk with the profile functions' rules (see IniDocument and IniFileCopy).
// A write replaces the file atomically. In a batch each file is read once and its writes
// are edits of that one copy in memory; CommitBatch replaces each changed file once.
class IniFileStore final : public StagedProfileStore<IniFileCopy> {
 public:
  static constexpr std::size_t kMaxFileBytes = IniFileCopy::kMaxFileBytes;

  std::string GetProfileString(const std::string& section, const std::string& key,
                               const std::string& file_path) override {
    return ReadThroughBatch(section, key, file_path);
  }
};

}  // namespace norvaket::linux_platform
