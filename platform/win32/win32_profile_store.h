#pragma once

#include <windows.h>

// WORKAROUND: <windows.h> defines GetProfileString and WriteProfileString as
// macros, which would rename the interface's methods wherever it is seen after
// that header. Every file that needs both includes this header.
#undef GetProfileString
#undef WriteProfileString

#include <string>

#include "platform/win32/profile_file_copy.h"
#include "settings/staged_profile_store.h"

namespace norvaket::win32 {

// The profile functions of Windows (GetPrivateProfileStringW /
// WritePrivateProfileStringW). No write ever leaves a file half-written: the
// profile functions work on a copy in the same folder, which then replaces
// the file in one move (see ProfileFileCopy).
//
// Between BeginBatch and CommitBatch every write of a file goes into one copy
// of it, so a whole save replaces the file once: a crash in the middle leaves
// the old file, never a mix of old and new keys. Outside a save each write is
// a save of its own. Reads always see the file as it was before the save.
class Win32ProfileStore final : public StagedProfileStore<ProfileFileCopy> {
 public:
  static constexpr int kValueBufferChars = 100;

  std::string GetProfileString(const std::string& section, const std::string& key,
                               const std::string& file_path) override;
};

}  // namespace norvaket::win32
