#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/settings.h"

namespace norvaket {

// True for "yes" and false for "no" in any letter case; `default_value` for any other text.
Flag ParseYesNo(std::string_view text, Flag default_value);

// "Yes" for any non-zero flag, "No" for 0.
std::string FormatYesNo(Flag value);

// A decimal number with an optional sign, blanks around it allowed. Nothing for any
// other text (fractions included) and for a number that does not fit in 32 bits.
std::optional<std::int32_t> ParseIniNumber(std::string_view text);

// Plain decimal digits, a minus sign when negative.
std::string FormatIniNumber(std::int32_t value);

}  // namespace norvaket
