#include "settings/registry_layer.h"

#include <cstdint>
#include <type_traits>
#include <vector>

namespace norvaket {

namespace {

struct RegistryData {
  std::uint32_t type = kRegSz;
  std::vector<std::uint8_t> bytes;
};

std::vector<std::uint8_t> DwordBytes(std::uint32_t value) {
  return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
          static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

// Shorter data is taken as if padded with zero bytes, as a read into a zeroed
// 4-byte number would leave it.
std::uint32_t DwordFromBytes(const std::vector<std::uint8_t>& bytes) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < bytes.size() && i < 4; ++i) {
    value |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
  }
  return value;
}

RegistryData ToRegistryData(const RegistryValue& value) {
  return std::visit(
      [&value](const auto& v) -> RegistryData {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::int16_t> || std::is_same_v<T, std::int32_t>) {
          // Widened with its sign: -1 is stored as 0xFFFFFFFF.
          return {kRegDword, DwordBytes(static_cast<std::uint32_t>(static_cast<std::int32_t>(v)))};
        } else if constexpr (std::is_same_v<T, RegistryFlag>) {
          return {kRegDword, DwordBytes(v.value != 0 ? 0xFFFFFFFFu : 0u)};
        } else if constexpr (std::is_same_v<T, std::vector<std::uint8_t>>) {
          return {kRegBinary, v};
        } else {
          const std::string text = RegistryValueText(value);
          RegistryData data{kRegSz, std::vector<std::uint8_t>(text.begin(), text.end())};
          data.bytes.push_back(0);
          return data;
        }
      },
      value);
}

}  // namespace

bool SetRegistryValue(RegistryApi& registry, RegistryKey root, const std::string& key_path,
                      const std::string& value_name, const RegistryValue& value) {
  RegistryKey key = 0;
  if (registry.CreateKey(root, key_path, key) != kRegistrySuccess) return false;
  const RegistryData data = ToRegistryData(value);
  bool stored = registry.SetValue(key, value_name, data.type, data.bytes) == kRegistrySuccess;
  if (registry.CloseKey(key) != kRegistrySuccess) stored = false;
  return stored;
}

RegistryValue GetRegistryValue(RegistryApi& registry, RegistryKey root, const std::string& key_path,
                               const std::string& value_name, const RegistryValue& fallback) {
  RegistryKey key = 0;
  if (registry.OpenKey(root, key_path, key) != kRegistrySuccess) return fallback;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  const bool found = registry.QueryValue(key, value_name, type, data) == kRegistrySuccess;
  registry.CloseKey(key);
  if (!found) return fallback;
  switch (type) {
    case kRegSz:
      return TrimAtNul(std::string(data.begin(), data.end()));
    case kRegBinary:
      return data;
    case kRegDword:
      return DwordFromBytes(data);
    default:
      return fallback;
  }
}

bool DeleteRegistryValue(RegistryApi& registry, RegistryKey root, const std::string& key_path,
                         const std::string& value_name) {
  RegistryKey key = 0;
  if (registry.OpenKey(root, key_path, key) != kRegistrySuccess) return false;
  const bool deleted = registry.DeleteValue(key, value_name) == kRegistrySuccess;
  const bool closed = registry.CloseKey(key) == kRegistrySuccess;
  return deleted && closed;
}

}  // namespace norvaket
