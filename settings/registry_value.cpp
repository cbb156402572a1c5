#include "settings/registry_value.h"

#include <type_traits>

namespace norvaket {

const char* RegistryTypeName(const RegistryValue& value) {
  constexpr const char* kNames[] = {"String", "Integer", "Long", "Boolean", "Byte()", "Unsigned"};
  return kNames[value.index()];
}

std::string RegistryValueText(const RegistryValue& value) {
  return std::visit(
      [](const auto& v) -> std::string {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::string>) {
          return v;
        } else if constexpr (std::is_same_v<T, std::vector<std::uint8_t>>) {
          return std::string(v.begin(), v.end());
        } else if constexpr (std::is_same_v<T, RegistryFlag>) {
          return std::to_string(v.value);
        } else {
          return std::to_string(v);
        }
      },
      value);
}

std::string TrimAtNul(std::string_view text) {
  return std::string(text.substr(0, text.find('\0')));
}

}  // namespace norvaket
