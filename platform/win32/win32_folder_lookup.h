#pragma once

#include <cstdint>
#include <string>

#include "settings/folder_lookup.h"

namespace norvaket::win32 {

// The result of SHGetFolderPathW as it came (S_OK, S_FALSE, E_INVALIDARG, ...)
// and, with S_OK, the folder's path.
struct SpecialFolder {
  std::int32_t result = 0;
  std::string path;
};

// A shell folder by CSIDL number, created when it is missing.
SpecialFolder GetSpecialFolder(int csidl);

// The running program's file, its folder as the system reports it (with a
// trailing backslash only for a drive's root), and its name without extension.
std::string ExecutablePath();
std::string ExecutableFolder();
std::string ExecutableBaseName();
// The running program's file name with its extension ("norvaket.exe").
std::string ExecutableFileName();

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
