#pragma once

#include <string>

namespace norvaket {

// One key of one section of an INI file, with the semantics of the Windows
// profile functions (GetPrivateProfileStringW / WritePrivateProfileStringW).
class ProfileStore {
 public:
  virtual ~ProfileStore() = default;
  // The key's value, cut to fit a 100-byte buffer with its NUL (at most 99 bytes,
  // never inside a character); empty when the file, section or key is missing.
  // Never creates anything.
  virtual std::string GetProfileString(const std::string& section, const std::string& key,
                                       const std::string& file_path) = 0;
  // Replaces the key's value in place or adds it at the end of its section (the
  // section at the end of the file when missing); creates the file when missing
  // (its folder must exist). False when the file could not be written.
  virtual bool WriteProfileString(const std::string& section, const std::string& key,
                                  const std::string& value, const std::string& file_path) = 0;
};

}  // namespace norvaket
