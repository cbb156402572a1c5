#pragma once

#include <cstddef>
#include <string>

#include "settings/ini_document.h"

namespace norvaket::linux_platform {

// One INI file read whole into memory, edited there, and written back in one atomic
// replacement. A read never creates anything and takes only a regular file of at most
// kMaxFileBytes; the replacement keeps the file's permissions.
class IniFileCopy {
 public:
  static constexpr std::size_t kMaxFileBytes = 1024 * 1024;

  explicit IniFileCopy(const std::string& path);

  std::string Get(const std::string& section, const std::string& key) const {
    return document_.GetProfileString(section, key);
  }
  // Refuses (false) to edit a file it could not read whole, so that nothing in it is lost.
  bool Set(const std::string& section, const std::string& key, const std::string& value);
  bool Replace() const;

 private:
  std::string path_;
  bool readable_;  // read whole, or not there yet
  IniDocument document_;
};

}  // namespace norvaket::linux_platform
