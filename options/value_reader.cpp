#include "options/value_reader.h"

#include <charconv>
#include <limits>
#include <string>

namespace norvaket {
namespace {

constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";  // U+3000

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::size_t SkipBlanks(std::string_view text, std::size_t at) {
  while (at < text.size()) {
    if (text[at] == ' ' || text[at] == '\t') {
      ++at;
    } else if (text.substr(at, kIdeographicSpace.size()) == kIdeographicSpace) {
      at += kIdeographicSpace.size();
    } else {
      break;
    }
  }
  return at;
}

std::size_t SkipDigits(std::string_view text, std::size_t at) {
  while (at < text.size() && IsDigit(text[at])) ++at;
  return at;
}

// The end of an exponent that starts at `at`, or `at` itself when none does.
std::size_t ExponentEnd(std::string_view text, std::size_t at) {
  if (at >= text.size() || (text[at] != 'e' && text[at] != 'E')) return at;
  std::size_t digits = at + 1;
  if (digits < text.size() && (text[digits] == '+' || text[digits] == '-')) ++digits;
  const std::size_t end = SkipDigits(text, digits);
  return end > digits ? end : at;
}

}  // namespace

std::optional<double> ReadNumberPrefix(std::string_view text) {
  std::size_t at = SkipBlanks(text, 0);
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    negative = text[at] == '-';
    ++at;
  }
  const std::size_t mantissa_begin = at;
  const std::size_t integer_end = SkipDigits(text, at);
  std::size_t mantissa_end = integer_end;
  std::size_t fraction_digits = 0;
  if (integer_end < text.size() && text[integer_end] == '.') {
    mantissa_end = SkipDigits(text, integer_end + 1);
    fraction_digits = mantissa_end - integer_end - 1;
  }
  if (integer_end == mantissa_begin && fraction_digits == 0) return std::nullopt;
  const std::size_t end = ExponentEnd(text, mantissa_end);

  // from_chars takes no "+" and no blanks; both were stepped over above.
  const std::string_view number = text.substr(mantissa_begin, end - mantissa_begin);
  double value = 0.0;
  const auto [ptr, error] = std::from_chars(number.data(), number.data() + number.size(), value,
                                            std::chars_format::general);
  if (error == std::errc::result_out_of_range) {
    const bool tiny =
        number.find("e-") != std::string_view::npos || number.find("E-") != std::string_view::npos;
    value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
  } else if (error != std::errc{}) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

double ReadValue(std::string_view text) {
  return ReadNumberPrefix(text).value_or(0.0);
}

}  // namespace norvaket
