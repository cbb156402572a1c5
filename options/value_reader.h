#pragma once

#include <optional>
#include <string_view>

namespace norvaket {

// The number a value box's text begins with: leading blanks (space, tab and the
// ideographic space a Japanese input method types), an optional sign, digits with
// an optional "." and fraction, an optional exponent ("e" or "E", optional sign,
// digits). Reading stops at the first character that cannot continue the number,
// so "50abc" is 50. Empty when the text does not begin with a number. Always the
// C locale's ".", whatever the desktop's locale. Too large a number gives an
// infinity, too small a one zero.
std::optional<double> ReadNumberPrefix(std::string_view text);

// ReadNumberPrefix, with 0 for a text that does not begin with a number.
double ReadValue(std::string_view text);

}  // namespace norvaket
