#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/utf16.h"

namespace norvaket::win32::testing {

// A fresh folder under the temporary folder, with a Japanese name so that
// every path goes through the wide API; removed with its files at the end.
class TestFolder {
 public:
  TestFolder() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + L"norvaket-\u8A2D\u5B9A-" + std::to_wstring(GetCurrentProcessId()) +
            L"-" + std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(++counter_);
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;
  ~TestFolder() {
    for (const std::wstring& name : Files()) DeleteFileW((path_ + L"\\" + name).c_str());
    RemoveDirectoryW(path_.c_str());
  }

  std::wstring Path() const { return path_; }
  std::string File(const std::string& name) const { return ToUtf8(path_) + "\\" + name; }

  std::vector<std::wstring> Files() const {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path_ + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
  }

 private:
  static inline int counter_ = 0;
  std::wstring path_;
};

inline std::string ReadBytes(const std::string& utf8_path) {
  std::string bytes;
  HANDLE file = CreateFileW(ToUtf16(utf8_path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
  CloseHandle(file);
  return bytes;
}

inline void WriteBytes(const std::string& utf8_path, const std::string& bytes) {
  HANDLE file = CreateFileW(ToUtf16(utf8_path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

// The file's text as UTF-8, whether the profile functions wrote it as
// UTF-16 (with its byte-order mark) or as single bytes.
inline std::string ReadText(const std::string& utf8_path) {
  const std::string bytes = ReadBytes(utf8_path);
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE) {
    std::wstring utf16((bytes.size() - 2) / 2, L'\0');
    memcpy(utf16.data(), bytes.data() + 2, utf16.size() * 2);
    return ToUtf8(utf16);
  }
  return bytes;
}

}  // namespace norvaket::win32::testing
