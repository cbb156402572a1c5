#pragma once

#include <windows.h>

// WORKAROUND: <windows.h> defines GetProfileString and WriteProfileString as
// macros, which would rename the interface's methods wherever it is seen after
// that header. Every file that needs both includes this header.
#undef GetProfileString
#undef WriteProfileString

#include <string>
#include <vector>

#include "settings/profile_store.h"

namespace norvaket::win32 {

// The profile functions of Windows (GetPrivateProfileStringW /
// WritePrivateProfileStringW). No write ever leaves a file half-written: the
// profile functions work on a copy in the same folder, which then replaces
// the file in one move.
//
// Between BeginBatch and CommitBatch every write of a file goes into one copy
// of it, so a whole save replaces the file once: a crash in the middle leaves
// the old file, never a mix of old and new keys. Outside a save each write is
// a save of its own. Reads always see the file as it was before the save.
class Win32ProfileStore final : public ProfileStore {
 public:
  static constexpr int kValueBufferChars = 100;

  Win32ProfileStore() = default;
  Win32ProfileStore(const Win32ProfileStore&) = delete;
  Win32ProfileStore& operator=(const Win32ProfileStore&) = delete;
  ~Win32ProfileStore() override { DiscardBatch(); }

  std::string GetProfileString(const std::string& section, const std::string& key,
                               const std::string& file_path) override;
  bool WriteProfileString(const std::string& section, const std::string& key,
                          const std::string& value, const std::string& file_path) override;

  void BeginBatch() override;
  // Replaces each written file with its copy; false, and every file left as
  // it was, when any write of the save or any replacement failed.
  bool CommitBatch() override;
  // Drops the copies; the files stay as they were.
  void DiscardBatch() override;

 private:
  struct StagedFile {
    std::wstring path;
    std::wstring copy;
    bool intact = true;  // every write into the copy succeeded
  };

  StagedFile* StagedCopyOf(const std::wstring& path);

  bool saving_ = false;
  std::vector<StagedFile> staged_;
};

}  // namespace norvaket::win32
