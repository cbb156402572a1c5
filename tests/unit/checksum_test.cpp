#include "resources/checksum.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace norvaket {
namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

TEST(ChecksumTest, Crc32MatchesPublishedCheckValues) {
  EXPECT_EQ(Crc32({}), 0u);
  EXPECT_EQ(Crc32(Bytes("123456789")), 0xCBF43926u);
  EXPECT_EQ(Crc32(Bytes("IEND")), 0xAE426082u);  // the fixed CRC of every PNG's last chunk
}

TEST(ChecksumTest, Adler32MatchesPublishedCheckValues) {
  EXPECT_EQ(Adler32({}), 1u);
  EXPECT_EQ(Adler32(Bytes("Wikipedia")), 0x11E60398u);
  EXPECT_EQ(Adler32(Bytes("123456789")), 0x091E01DEu);
}

// Long runs of large bytes are where a deferred modulus overflows; compare with
// the plain byte-by-byte definition.
TEST(ChecksumTest, Adler32StaysExactOverLongRuns) {
  for (std::size_t length : {5551u, 5552u, 5553u, 65536u, 300000u}) {
    const std::vector<std::uint8_t> bytes(length, 0xFF);
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (std::uint8_t byte : bytes) {
      a = (a + byte) % 65521;
      b = (b + a) % 65521;
    }
    EXPECT_EQ(Adler32(bytes), (b << 16) | a) << length;
  }
}

}  // namespace
}  // namespace norvaket
