#include "platform/win32/profile_file_copy.h"

#include <windows.h>

#include "platform/win32/utf16.h"

namespace norvaket::win32 {
namespace {

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return L".";
  return path.substr(0, slash + 1);
}

bool FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// A new file starts as UTF-16 with its byte-order mark, so that the profile
// functions keep every character instead of going through an ANSI code page.
bool StartUnicodeFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const unsigned char bom[] = {0xFF, 0xFE};
  DWORD written = 0;
  const bool ok = WriteFile(file, bom, sizeof bom, &written, nullptr) && written == sizeof bom;
  CloseHandle(file);
  return ok;
}

bool FlushToDisk(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool ok = FlushFileBuffers(file) != FALSE;
  CloseHandle(file);
  return ok;
}

// A copy of the file (or a new, empty Unicode file) in the file's own folder,
// so that the final move is a rename on one volume. Empty when it failed.
std::wstring MakeCopy(const std::wstring& path) {
  if (path.empty()) return {};
  wchar_t copy[MAX_PATH] = {};
  if (GetTempFileNameW(FolderOf(path).c_str(), L"nvk", 0, copy) == 0) return {};
  const bool prepared =
      FileExists(path) ? CopyFileW(path.c_str(), copy, FALSE) != FALSE : StartUnicodeFile(copy);
  if (!prepared) {
    DeleteFileW(copy);
    return {};
  }
  return copy;
}

}  // namespace

ProfileFileCopy::ProfileFileCopy(const std::string& path)
    : path_(ToUtf16(path)), copy_(MakeCopy(path_)) {}

ProfileFileCopy::~ProfileFileCopy() {
  if (!copy_.empty()) DeleteFileW(copy_.c_str());
}

bool ProfileFileCopy::Set(const std::string& section, const std::string& key,
                          const std::string& value) {
  return !copy_.empty() &&
         WritePrivateProfileStringW(ToUtf16(section).c_str(), ToUtf16(key).c_str(),
                                    ToUtf16(value).c_str(), copy_.c_str()) != FALSE;
}

bool ProfileFileCopy::Replace() {
  const bool moved = !copy_.empty() && FlushToDisk(copy_) &&
                     MoveFileExW(copy_.c_str(), path_.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
  if (moved) copy_.clear();
  return moved;
}

}  // namespace norvaket::win32
