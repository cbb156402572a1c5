#pragma once

#include <cstdint>
#include <string>

namespace norvaket::win32 {

inline constexpr int kCsidlAppData = 0x1A;

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

}  // namespace norvaket::win32
