#include "platform/win32/win32_folder_lookup.h"

#include <windows.h>
#include <shlobj.h>

#include "platform/win32/utf16.h"

namespace norvaket::win32 {
namespace {

std::wstring ModuleFileName() {
  // Paths may be longer than MAX_PATH; the buffer grows until the name fits.
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    if (buffer.size() >= 32768) return {};
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

SpecialFolder GetSpecialFolder(int csidl) {
  wchar_t buffer[MAX_PATH] = {};
  SpecialFolder folder;
  folder.result = static_cast<std::int32_t>(
      SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, buffer));
  if (folder.result == S_OK) folder.path = ToUtf8(buffer);
  return folder;
}

std::string ExecutablePath() { return ToUtf8(ModuleFileName()); }

std::string ExecutableFolder() {
  const std::string path = ExecutablePath();
  const std::size_t slash = path.find_last_of('\\');
  if (slash == std::string::npos) return {};
  // "C:\" keeps its backslash, as the system writes a root folder.
  const bool root = slash == 2 && path[1] == ':';
  return path.substr(0, root ? slash + 1 : slash);
}

std::string ExecutableFileName() {
  const std::string path = ExecutablePath();
  const std::size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ExecutableBaseName() {
  std::string name = ExecutableFileName();
  const std::size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  return name;
}

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
