#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "platform/win32/utf16.h"

namespace norvaket::win32 {
namespace {

constexpr REGSAM kAccess = KEY_ALL_ACCESS;

bool IsTextType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

// The predefined roots are 32-bit numbers that the system sign-extends into a
// 64-bit handle (HKEY_CURRENT_USER is 0xFFFFFFFF80000001 there); any other key
// is a handle this class gave out.
HKEY ToHkey(RegistryKey key) {
  if (key >= 0x80000000u && key <= 0x8000000Fu) {
    return reinterpret_cast<HKEY>(
        static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<LONG>(static_cast<DWORD>(key)))));
  }
  return reinterpret_cast<HKEY>(key);
}

RegistryKey FromHkey(HKEY key) { return reinterpret_cast<RegistryKey>(key); }

// Portable text data: UTF-8, then exactly one NUL.
std::vector<std::uint8_t> TextFromRegistry(const std::vector<std::uint8_t>& raw) {
  std::wstring utf16(raw.size() / sizeof(wchar_t), L'\0');
  if (!utf16.empty()) std::memcpy(utf16.data(), raw.data(), utf16.size() * sizeof(wchar_t));
  // Values written without their NUL exist; values with several keep the rest.
  if (!utf16.empty() && utf16.back() == L'\0') utf16.pop_back();
  const std::string utf8 = ToUtf8(utf16);
  std::vector<std::uint8_t> data(utf8.begin(), utf8.end());
  data.push_back(0);
  return data;
}

std::vector<std::uint8_t> TextToRegistry(const std::vector<std::uint8_t>& data) {
  std::string utf8(data.begin(), data.end());
  if (!utf8.empty() && utf8.back() == '\0') utf8.pop_back();
  std::wstring utf16 = ToUtf16(utf8);
  utf16.push_back(L'\0');
  std::vector<std::uint8_t> raw(utf16.size() * sizeof(wchar_t));
  std::memcpy(raw.data(), utf16.data(), raw.size());
  return raw;
}

}  // namespace

RegistryResult Win32Registry::OpenKey(RegistryKey root, const std::string& path, RegistryKey& key) {
  HKEY opened = nullptr;
  const LSTATUS status = RegOpenKeyExW(ToHkey(root), ToUtf16(path).c_str(), 0, kAccess, &opened);
  if (status == ERROR_SUCCESS) key = FromHkey(opened);
  return status;
}

RegistryResult Win32Registry::CreateKey(RegistryKey root, const std::string& path,
                                        RegistryKey& key) {
  HKEY created = nullptr;
  wchar_t no_class[] = L"";
  const LSTATUS status =
      RegCreateKeyExW(ToHkey(root), ToUtf16(path).c_str(), 0, no_class, REG_OPTION_NON_VOLATILE,
                      kAccess, nullptr, &created, nullptr);
  if (status == ERROR_SUCCESS) key = FromHkey(created);
  return status;
}

RegistryResult Win32Registry::QueryValue(RegistryKey key, const std::string& name,
                                         std::uint32_t& type, std::vector<std::uint8_t>& data) {
  const std::wstring value_name = ToUtf16(name);
  DWORD value_type = REG_NONE;
  DWORD size = 0;
  LSTATUS status = RegQueryValueExW(ToHkey(key), value_name.c_str(), nullptr, &value_type, nullptr, &size);
  if (status != ERROR_SUCCESS) return status;
  std::vector<std::uint8_t> raw(size);
  // The value may grow between the two calls; ERROR_MORE_DATA is then returned as it is.
  status = RegQueryValueExW(ToHkey(key), value_name.c_str(), nullptr, &value_type,
                            raw.empty() ? nullptr : raw.data(), &size);
  if (status != ERROR_SUCCESS) return status;
  raw.resize(size);
  type = value_type;
  data = IsTextType(value_type) ? TextFromRegistry(raw) : std::move(raw);
  return ERROR_SUCCESS;
}

RegistryResult Win32Registry::SetValue(RegistryKey key, const std::string& name, std::uint32_t type,
                                       const std::vector<std::uint8_t>& data) {
  const std::vector<std::uint8_t> raw = IsTextType(type) ? TextToRegistry(data) : data;
  return RegSetValueExW(ToHkey(key), ToUtf16(name).c_str(), 0, type,
                        raw.empty() ? nullptr : raw.data(), static_cast<DWORD>(raw.size()));
}

RegistryResult Win32Registry::DeleteValue(RegistryKey key, const std::string& name) {
  return RegDeleteValueW(ToHkey(key), ToUtf16(name).c_str());
}

RegistryResult Win32Registry::CloseKey(RegistryKey key) { return RegCloseKey(ToHkey(key)); }

}  // namespace norvaket::win32
