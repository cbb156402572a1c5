#include "platform/linux/ini_file_copy.h"

#include "platform/linux/small_file.h"

namespace norvaket::linux_platform {

IniFileCopy::IniFileCopy(const std::string& path) : path_(path) {
  const SmallFile read = ReadSmallFile(path, kMaxFileBytes);
  readable_ = read.status != SmallFile::Status::kUnusable;
  document_ = IniDocument(read.text);
}

bool IniFileCopy::Set(const std::string& section, const std::string& key,
                      const std::string& value) {
  return readable_ && document_.Set(section, key, value);
}

bool IniFileCopy::Replace() const {
  return ReplaceFileAtomically(path_, document_.Text(), 0600);
}

}  // namespace norvaket::linux_platform
