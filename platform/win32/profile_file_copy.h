#pragma once

#include <string>

namespace norvaket::win32 {

// A copy of an INI file in the file's own folder, written through the profile functions
// of Windows and then moved over the file in one step, so that no write ever leaves the
// file half-written. The copy is deleted unless it replaced the file.
class ProfileFileCopy {
 public:
  explicit ProfileFileCopy(const std::string& path);
  ProfileFileCopy(const ProfileFileCopy&) = delete;
  ProfileFileCopy& operator=(const ProfileFileCopy&) = delete;
  ~ProfileFileCopy();

  // False when the copy could not be made or written.
  bool Set(const std::string& section, const std::string& key, const std::string& value);
  bool Replace();

 private:
  std::wstring path_;
  std::wstring copy_;  // empty when none could be made, or once it has replaced the file
};

}  // namespace norvaket::win32
