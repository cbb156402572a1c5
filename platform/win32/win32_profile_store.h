#pragma once

#include <windows.h>

// WORKAROUND: <windows.h> defines GetProfileString and WriteProfileString as
// macros, which would rename the interface's methods wherever it is seen after
// that header. Every file that needs both includes this header.
#undef GetProfileString
#undef WriteProfileString

#include "settings/profile_store.h"

namespace norvaket::win32 {

// The profile functions of Windows (GetPrivateProfileStringW /
// WritePrivateProfileStringW). A write never leaves the file half-written: it
// goes into a copy in the same folder, which then replaces the file.
class Win32ProfileStore final : public ProfileStore {
 public:
  static constexpr int kValueBufferChars = 100;

  std::string GetProfileString(const std::string& section, const std::string& key,
                               const std::string& file_path) override;
  bool WriteProfileString(const std::string& section, const std::string& key,
                          const std::string& value, const std::string& file_path) override;
};

}  // namespace norvaket::win32
