#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "settings/ini_document.h"
#include "settings/profile_store.h"

namespace norvaket::linux_platform {

// INI files on disk with the profile functions' rules (see IniDocument). A read never
// creates anything and takes only a regular file of at most kMaxFileBytes; a write
// replaces the file atomically and keeps its permissions.
//
// In a batch each file is read once and its writes are edits of that one copy in
// memory; CommitBatch replaces each changed file once.
class IniFileStore final : public ProfileStore {
 public:
  static constexpr std::size_t kMaxFileBytes = 1024 * 1024;

  std::string GetProfileString(const std::string& section, const std::string& key,
                               const std::string& file_path) override;
  // Refuses (false) to replace a file it cannot read whole, so that nothing in it is lost.
  bool WriteProfileString(const std::string& section, const std::string& key,
                          const std::string& value, const std::string& file_path) override;

  void BeginBatch() override;
  bool CommitBatch() override;
  void DiscardBatch() override;

 private:
  struct OpenFile {
    std::string path;
    bool readable = false;  // read whole, or not there yet
    bool changed = false;
    bool intact = true;  // every write into the copy succeeded
    IniDocument document;
  };

  OpenFile& Open(const std::string& path);

  bool in_batch_ = false;
  std::vector<OpenFile> files_;
};

}  // namespace norvaket::linux_platform
