#include "resources/checksum.h"

#include <algorithm>
#include <array>

namespace norvaket {
namespace {

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}

constexpr std::array<std::uint32_t, 256> kCrcTable = MakeCrcTable();
constexpr std::uint32_t kAdlerModulus = 65521;
// The largest run of bytes whose sums cannot overflow 32 bits before the modulus is taken.
constexpr std::size_t kAdlerRun = 5552;

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
  std::uint32_t c = 0xFFFFFFFFu;
  for (std::uint8_t byte : bytes) c = kCrcTable[(c ^ byte) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(std::span<const std::uint8_t> bytes) {
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  while (!bytes.empty()) {
    const std::size_t run = std::min(bytes.size(), kAdlerRun);
    for (std::uint8_t byte : bytes.first(run)) {
      a += byte;
      b += a;
    }
    a %= kAdlerModulus;
    b %= kAdlerModulus;
    bytes = bytes.subspan(run);
  }
  return (b << 16) | a;
}

}  // namespace norvaket
