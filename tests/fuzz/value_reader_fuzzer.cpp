// The value boxes' number reader against the C library's strtod on the same
// text, wherever strtod's idea of a number is the same (no hexadecimal, no
// "inf" or "nan", no other white space).
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <string>

#include "fuzz/fuzz_input.h"
#include "options/value_reader.h"

namespace {

constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";

std::string_view AfterBlanks(std::string_view text) {
  while (true) {
    if (text.starts_with(' ') || text.starts_with('\t')) {
      text.remove_prefix(1);
    } else if (text.starts_with(kIdeographicSpace)) {
      text.remove_prefix(kIdeographicSpace.size());
    } else {
      return text;
    }
  }
}

bool OnlyDecimalNumberCharacters(std::string_view text) {
  return text.find_first_not_of("0123456789+-.eE") == text.npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = norvaket::fuzz::AsText(data, size);
  const std::optional<double> read = norvaket::ReadNumberPrefix(text);
  NORVAKET_FUZZ_CHECK(!read || !std::isnan(*read));
  NORVAKET_FUZZ_CHECK(norvaket::ReadValue(text) == read.value_or(0.0));

  const std::string rest(AfterBlanks(text));
  char* end = nullptr;
  const double expected = std::strtod(rest.c_str(), &end);
  const std::string_view consumed(rest.c_str(), static_cast<std::size_t>(end - rest.c_str()));
  if (!consumed.empty() && !OnlyDecimalNumberCharacters(consumed)) return 0;
  if (!rest.empty() && rest.find_first_of(" \t\n\v\f\r") == 0) {
    NORVAKET_FUZZ_CHECK(!read);  // other white space does not start a number here
    return 0;
  }
  if (consumed.empty()) {
    NORVAKET_FUZZ_CHECK(!read);
    return 0;
  }
  NORVAKET_FUZZ_CHECK(read);
  // Below the normal range the reader may give zero where strtod keeps a subnormal.
  if (std::fabs(expected) < DBL_MIN) {
    NORVAKET_FUZZ_CHECK(std::fabs(*read) < DBL_MIN);
  } else {
    NORVAKET_FUZZ_CHECK(*read == expected);
  }
  return 0;
}
