#include "platform/win32/win32_folder_lookup.h"

#include <windows.h>

#include "platform/win32/utf16.h"
#include "platform/win32/win32_folders.h"

namespace norvaket::win32 {

std::int32_t Win32FolderLookup::GetFolderPath(std::int32_t folder_id, std::string& path) {
  const SpecialFolder folder = GetSpecialFolder(folder_id);
  if (folder.result == S_OK) path = folder.path;
  return folder.result;
}

std::string Win32FolderLookup::ExecutableFolder() {
  return win32::ExecutableFolder();
}

bool Win32FolderLookup::Exists(const std::string& path) {
  return GetFileAttributesW(ToUtf16(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FolderLookup::CreateFolder(const std::string& path) {
  return CreateDirectoryW(ToUtf16(path).c_str(), nullptr) != FALSE;
}

}  // namespace norvaket::win32
