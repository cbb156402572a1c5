#include "settings/ini_values.h"

#include <charconv>

#include "settings/ini_text.h"

namespace norvaket {

Flag ParseYesNo(std::string_view text, Flag default_value) {
  if (EqualsIgnoringCase(text, "yes")) return kTrue;
  if (EqualsIgnoringCase(text, "no")) return kFalse;
  return default_value;
}

std::string FormatYesNo(Flag value) {
  return value != 0 ? "Yes" : "No";
}

std::optional<std::int32_t> ParseIniNumber(std::string_view text) {
  text = TrimBlanks(text);
  // from_chars takes a minus but not a plus sign.
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') return std::nullopt;
  }
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string FormatIniNumber(std::int32_t value) {
  return std::to_string(value);
}

}  // namespace norvaket
