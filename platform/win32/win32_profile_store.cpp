#include "platform/win32/win32_profile_store.h"

#include <string_view>

#include "platform/win32/utf16.h"
#include "settings/ini_text.h"

namespace norvaket::win32 {
namespace {

constexpr std::size_t kMaxValueBytes = Win32ProfileStore::kValueBufferChars - 1;

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

std::string Win32ProfileStore::GetProfileString(const std::string& section, const std::string& key,
                                                const std::string& file_path) {
  // 99 UTF-16 units hold every value of up to 99 UTF-8 bytes.
  wchar_t buffer[kValueBufferChars] = {};
  GetPrivateProfileStringW(ToUtf16(section).c_str(), ToUtf16(key).c_str(), L"", buffer,
                           kValueBufferChars, ToUtf16(file_path).c_str());
  return CutUtf8(ToUtf8(std::wstring_view(buffer)), kMaxValueBytes);
}

bool Win32ProfileStore::WriteProfileString(const std::string& section, const std::string& key,
                                           const std::string& value, const std::string& file_path) {
  const std::wstring path = ToUtf16(file_path);
  if (path.empty()) return false;
  const bool own_save = !saving_;
  if (own_save) BeginBatch();
  StagedFile* staged = StagedCopyOf(path);
  bool written = false;
  if (staged != nullptr && staged->intact) {
    written = WritePrivateProfileStringW(ToUtf16(section).c_str(), ToUtf16(key).c_str(),
                                         ToUtf16(value).c_str(), staged->copy.c_str()) != FALSE;
    staged->intact = written;
  }
  if (own_save) return CommitBatch() && written;
  return written;
}

Win32ProfileStore::StagedFile* Win32ProfileStore::StagedCopyOf(const std::wstring& path) {
  for (StagedFile& staged : staged_) {
    if (staged.path == path) return &staged;
  }
  StagedFile staged{path, MakeCopy(path)};
  staged.intact = !staged.copy.empty();
  staged_.push_back(staged);
  return staged.intact ? &staged_.back() : nullptr;
}

void Win32ProfileStore::BeginBatch() {
  DiscardBatch();
  saving_ = true;
}

bool Win32ProfileStore::CommitBatch() {
  bool all_intact = true;
  for (const StagedFile& staged : staged_) all_intact = all_intact && staged.intact;
  if (!all_intact) {
    DiscardBatch();
    return false;
  }
  bool replaced = true;
  for (StagedFile& staged : staged_) {
    const bool moved = FlushToDisk(staged.copy) &&
                       MoveFileExW(staged.copy.c_str(), staged.path.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    if (moved) staged.copy.clear();
    replaced = replaced && moved;
  }
  DiscardBatch();
  return replaced;
}

void Win32ProfileStore::DiscardBatch() {
  for (const StagedFile& staged : staged_) {
    if (!staged.copy.empty()) DeleteFileW(staged.copy.c_str());
  }
  staged_.clear();
  saving_ = false;
}

}  // namespace norvaket::win32
