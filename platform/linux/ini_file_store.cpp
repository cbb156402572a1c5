#include "platform/linux/ini_file_store.h"

#include "platform/linux/small_file.h"
#include "settings/ini_document.h"

namespace norvaket::linux_platform {

std::string IniFileStore::GetProfileString(const std::string& section, const std::string& key,
                                           const std::string& file_path) {
  const SmallFile file = ReadSmallFile(file_path, kMaxFileBytes);
  if (file.status != SmallFile::Status::kRead) return {};
  return IniDocument(file.text).GetProfileString(section, key);
}

bool IniFileStore::WriteProfileString(const std::string& section, const std::string& key,
                                      const std::string& value, const std::string& file_path) {
  const SmallFile file = ReadSmallFile(file_path, kMaxFileBytes);
  if (file.status == SmallFile::Status::kUnusable) return false;
  IniDocument document(file.text);
  if (!document.Set(section, key, value)) return false;
  return ReplaceFileAtomically(file_path, document.Text(), 0600);
}

}  // namespace norvaket::linux_platform
