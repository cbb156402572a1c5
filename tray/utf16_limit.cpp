#include "tray/utf16_limit.h"

namespace norvaket {
namespace {

struct CharacterExtent {
  std::size_t bytes;
  std::size_t utf16_units;
};

std::size_t ContinuationBytes(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) return 3;
  if (lead >= 0xE0 && lead <= 0xEF) return 2;
  if (lead >= 0xC2 && lead <= 0xDF) return 1;
  return 0;
}

// One character starting at `pos`; a malformed sequence is taken one byte at a time.
CharacterExtent NextCharacter(std::string_view text, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (lead < 0x80) return {1, 1};
  const std::size_t tail = ContinuationBytes(lead);
  if (tail == 0 || pos + tail >= text.size()) return {1, 1};
  for (std::size_t i = 1; i <= tail; ++i) {
    const auto byte = static_cast<unsigned char>(text[pos + i]);
    if ((byte & 0xC0) != 0x80) return {1, 1};
  }
  return {tail + 1, tail == 3 ? 2u : 1u};
}

}  // namespace

std::size_t Utf16Length(std::string_view utf8) {
  std::size_t units = 0;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const CharacterExtent c = NextCharacter(utf8, pos);
    pos += c.bytes;
    units += c.utf16_units;
  }
  return units;
}

std::string CutToUtf16Units(std::string_view utf8, std::size_t max_units) {
  std::size_t units = 0;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const CharacterExtent c = NextCharacter(utf8, pos);
    if (units + c.utf16_units > max_units) break;
    units += c.utf16_units;
    pos += c.bytes;
  }
  return std::string(utf8.substr(0, pos));
}

}  // namespace norvaket
