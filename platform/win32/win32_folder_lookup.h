#pragma once

#include "settings/folder_lookup.h"

namespace norvaket::win32 {

// Where the settings file lives on Windows: the shell's special folders
// (SHGetFolderPathW) and the executable's folder, with "\" between names.
class Win32FolderLookup final : public FolderLookup {
 public:
  // Passes the shell's result on as it came (S_OK, S_FALSE, E_INVALIDARG, ...).
  std::int32_t GetFolderPath(std::int32_t folder_id, std::string& path) override;
  std::string ExecutableFolder() override;
  bool Exists(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
  std::string PathSeparator() override { return "\\"; }
};

}  // namespace norvaket::win32
