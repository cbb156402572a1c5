#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "settings/settings.h"

namespace norvaket {

// A flag as the registry layer carries it, told apart from a 16-bit integer.
struct RegistryFlag {
  Flag value = kFalse;
  friend bool operator==(const RegistryFlag&, const RegistryFlag&) = default;
};

// The registry layer's tagged value. Written: int16 "Integer", int32 "Long" and
// RegistryFlag "Boolean" as REG_DWORD, bytes "Byte()" as REG_BINARY, everything else
// as REG_SZ text. Read back: text (REG_SZ), uint32 (REG_DWORD) or bytes (REG_BINARY).
using RegistryValue = std::variant<std::string, std::int16_t, std::int32_t, RegistryFlag,
                                   std::vector<std::uint8_t>, std::uint32_t>;

// The kind's type name ("String", "Integer", "Long", "Boolean", "Byte()", "Unsigned").
const char* RegistryTypeName(const RegistryValue& value);

// The value as text: text unchanged, a number as decimal digits, bytes as the text
// they hold (empty only when there are none).
std::string RegistryValueText(const RegistryValue& value);

// The text up to, not including, its first NUL; all of it when it holds none.
std::string TrimAtNul(std::string_view text);

}  // namespace norvaket
