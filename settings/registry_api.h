#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace norvaket {

// The six registry operations the autorun value needs. Every call returns 0 on
// success (ERROR_SUCCESS) and any other number on failure, as the Win32 calls do.
using RegistryKey = std::uintptr_t;
using RegistryResult = std::int32_t;

inline constexpr RegistryKey kHkeyCurrentUser = 0x80000001u;
inline constexpr RegistryResult kRegistrySuccess = 0;

inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

class RegistryApi {
 public:
  virtual ~RegistryApi() = default;
  virtual RegistryResult OpenKey(RegistryKey root, const std::string& path, RegistryKey& key) = 0;
  virtual RegistryResult CreateKey(RegistryKey root, const std::string& path, RegistryKey& key) = 0;
  // Type and raw data of a value (REG_SZ data is UTF-8 text followed by one NUL).
  virtual RegistryResult QueryValue(RegistryKey key, const std::string& name, std::uint32_t& type,
                                    std::vector<std::uint8_t>& data) = 0;
  virtual RegistryResult SetValue(RegistryKey key, const std::string& name, std::uint32_t type,
                                  const std::vector<std::uint8_t>& data) = 0;
  virtual RegistryResult DeleteValue(RegistryKey key, const std::string& name) = 0;
  virtual RegistryResult CloseKey(RegistryKey key) = 0;
};

}  // namespace norvaket
