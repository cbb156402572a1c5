#include "platform/win32/win32_profile_store.h"

#include <string_view>

#include "platform/win32/utf16.h"
#include "settings/ini_text.h"

namespace norvaket::win32 {

std::string Win32ProfileStore::GetProfileString(const std::string& section, const std::string& key,
                                                const std::string& file_path) {
  constexpr std::size_t kMaxValueBytes = kValueBufferChars - 1;
  // 99 UTF-16 units hold every value of up to 99 UTF-8 bytes.
  wchar_t buffer[kValueBufferChars] = {};
  GetPrivateProfileStringW(ToUtf16(section).c_str(), ToUtf16(key).c_str(), L"", buffer,
                           kValueBufferChars, ToUtf16(file_path).c_str());
  return CutUtf8(ToUtf8(std::wstring_view(buffer)), kMaxValueBytes);
}

}  // namespace norvaket::win32
