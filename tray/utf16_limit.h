#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace norvaket {

// Length of UTF-8 text in UTF-16 code units, the unit of the shell's text fields.
std::size_t Utf16Length(std::string_view utf8);

// The longest prefix of `utf8` that fits in `max_units` UTF-16 code units,
// cut only between characters. A malformed byte counts as one unit of its own.
std::string CutToUtf16Units(std::string_view utf8, std::size_t max_units);

}  // namespace norvaket
