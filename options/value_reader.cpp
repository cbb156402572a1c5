#include "options/value_reader.h"

#include <algorithm>
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

// The exponent's value, held at a bound far beyond any double's range so that
// "1e99999999999999999999" cannot overflow the count.
long ExponentValue(std::string_view exponent) {
  constexpr long kBound = 1'000'000'000;
  std::size_t at = 1;  // past the "e"
  const bool negative = exponent[at] == '-';
  if (exponent[at] == '+' || exponent[at] == '-') ++at;
  long value = 0;
  for (; at < exponent.size() && value < kBound; ++at) value = value * 10 + (exponent[at] - '0');
  return negative ? -value : value;
}

// Roughly the power of ten of a number written without a sign: the place of its
// first non-zero digit plus its exponent. Positive for a number of at least 1,
// negative or zero below it. Only its sign is used: to tell a number too large for
// a double from one too small, whatever digits and exponent say so
// ("1000...e-5" is too large, "0.000...1" too small).
long DecimalMagnitude(std::string_view number) {
  const std::size_t exponent_at = number.find_first_of("eE");
  const std::string_view mantissa = number.substr(0, exponent_at);
  const long exponent =
      exponent_at == std::string_view::npos ? 0 : ExponentValue(number.substr(exponent_at));
  const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  const std::size_t first_significant = mantissa.find_first_of("123456789");
  if (first_significant == std::string_view::npos) return 0;
  const long places = first_significant < point
                          ? static_cast<long>(point - first_significant)
                          : -static_cast<long>(first_significant - point - 1);
  return places + exponent;
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
    value = DecimalMagnitude(number) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (error != std::errc{}) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

double ReadValue(std::string_view text) {
  return ReadNumberPrefix(text).value_or(0.0);
}

}  // namespace norvaket
