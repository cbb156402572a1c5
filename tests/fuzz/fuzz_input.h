#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace norvaket::fuzz {

// The fuzzer's bytes as text.
inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// The bytes cut at every `separator` into exactly `count` fields; missing ones are
// empty and the last one keeps the rest, separators included.
inline std::vector<std::string_view> SplitFields(std::string_view text, char separator,
                                                 std::size_t count) {
  std::vector<std::string_view> fields;
  while (fields.size() + 1 < count) {
    const std::size_t at = text.find(separator);
    if (at == text.npos) break;
    fields.push_back(text.substr(0, at));
    text.remove_prefix(at + 1);
  }
  fields.push_back(text);
  fields.resize(count);
  return fields;
}

// Stops the run with a crash report that libFuzzer keeps as an artifact.
#define NORVAKET_FUZZ_CHECK(condition) \
  do {                                 \
    if (!(condition)) __builtin_trap(); \
  } while (false)

}  // namespace norvaket::fuzz
