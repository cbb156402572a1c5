#include "resources/png_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/checksum.h"
#include "resources/icon_painter.h"

namespace norvaket {
namespace {

std::uint32_t BigEndian32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return (std::uint32_t{bytes.at(at)} << 24) | (std::uint32_t{bytes.at(at + 1)} << 16) |
         (std::uint32_t{bytes.at(at + 2)} << 8) | bytes.at(at + 3);
}

struct Chunk {
  std::string type;
  std::vector<std::uint8_t> data;
};

// Splits a PNG into its chunks, checking the signature and every CRC on the way.
std::vector<Chunk> ReadChunks(const std::vector<std::uint8_t>& png) {
  const std::vector<std::uint8_t> signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  EXPECT_TRUE(std::equal(signature.begin(), signature.end(), png.begin()));
  std::vector<Chunk> chunks;
  std::size_t at = 8;
  while (at < png.size()) {
    const std::uint32_t length = BigEndian32(png, at);
    const auto typed_begin = png.begin() + static_cast<std::ptrdiff_t>(at + 4);
    const std::vector<std::uint8_t> typed(typed_begin, typed_begin + 4 + length);
    EXPECT_EQ(BigEndian32(png, at + 8 + length), Crc32(typed));
    chunks.push_back({std::string(typed.begin(), typed.begin() + 4), {typed.begin() + 4, typed.end()}});
    at += 12 + length;
  }
  EXPECT_EQ(at, png.size());
  return chunks;
}

struct StoredStream {
  std::vector<std::uint8_t> data;
  int blocks = 0;
};

// Reads a zlib stream made only of stored deflate blocks, as our writer makes it.
StoredStream InflateStored(const std::vector<std::uint8_t>& zlib) {
  StoredStream out;
  EXPECT_EQ((zlib.at(0) * 256 + zlib.at(1)) % 31, 0) << "zlib header check";
  EXPECT_EQ(zlib.at(0) & 0x0F, 8) << "deflate";
  std::size_t at = 2;
  bool final_block = false;
  while (!final_block) {
    const std::uint8_t header = zlib.at(at);
    final_block = (header & 1) != 0;
    EXPECT_EQ(header >> 1, 0) << "stored block";
    const unsigned length = zlib.at(at + 1) | (zlib.at(at + 2) << 8);
    const unsigned complement = zlib.at(at + 3) | (zlib.at(at + 4) << 8);
    EXPECT_EQ(length ^ 0xFFFFu, complement);
    out.data.insert(out.data.end(), zlib.begin() + static_cast<std::ptrdiff_t>(at + 5),
                    zlib.begin() + static_cast<std::ptrdiff_t>(at + 5 + length));
    at += 5 + length;
    ++out.blocks;
  }
  EXPECT_EQ(BigEndian32(zlib, at), Adler32(out.data));
  EXPECT_EQ(at + 4, zlib.size());
  return out;
}

RgbaImage Gradient(int width, int height) {
  RgbaImage image{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.pixels.push_back(static_cast<std::uint8_t>(x));
      image.pixels.push_back(static_cast<std::uint8_t>(y));
      image.pixels.push_back(static_cast<std::uint8_t>(x ^ y));
      image.pixels.push_back(static_cast<std::uint8_t>(255 - x));
    }
  }
  return image;
}

struct PngCase {
  int width, height, blocks;
};

class PngWriterTest : public ::testing::TestWithParam<PngCase> {};

TEST_P(PngWriterTest, HoldsTheExactPixelsInRgbaRows) {
  const PngCase c = GetParam();
  const RgbaImage image = Gradient(c.width, c.height);
  const auto png = EncodePng(image);
  ASSERT_TRUE(png);
  const std::vector<Chunk> chunks = ReadChunks(*png);
  ASSERT_EQ(chunks.size(), 3u);
  EXPECT_EQ(chunks[0].type, "IHDR");
  EXPECT_EQ(chunks[1].type, "IDAT");
  EXPECT_EQ(chunks[2].type, "IEND");
  EXPECT_TRUE(chunks[2].data.empty());

  const std::vector<std::uint8_t>& header = chunks[0].data;
  ASSERT_EQ(header.size(), 13u);
  EXPECT_EQ(BigEndian32(header, 0), static_cast<std::uint32_t>(c.width));
  EXPECT_EQ(BigEndian32(header, 4), static_cast<std::uint32_t>(c.height));
  EXPECT_EQ(header[8], 8) << "bit depth";
  EXPECT_EQ(header[9], 6) << "RGBA";
  EXPECT_EQ(header[12], 0) << "interlace";

  const StoredStream stream = InflateStored(chunks[1].data);
  EXPECT_EQ(stream.blocks, c.blocks);
  const std::size_t row_bytes = static_cast<std::size_t>(c.width) * 4;
  ASSERT_EQ(stream.data.size(), (row_bytes + 1) * static_cast<std::size_t>(c.height));
  for (int y = 0; y < c.height; ++y) {
    const std::size_t row = static_cast<std::size_t>(y) * (row_bytes + 1);
    ASSERT_EQ(stream.data[row], 0) << "filter of row " << y;
    ASSERT_TRUE(std::equal(stream.data.begin() + static_cast<std::ptrdiff_t>(row + 1),
                           stream.data.begin() + static_cast<std::ptrdiff_t>(row + 1 + row_bytes),
                           image.pixels.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(y) * row_bytes)))
        << "row " << y;
  }
}

// 65535 bytes is the most one stored block holds; the cases sit on either side.
INSTANTIATE_TEST_SUITE_P(Sizes, PngWriterTest,
                         ::testing::Values(PngCase{1, 1, 1}, PngCase{16, 16, 1}, PngCase{3, 7, 1},
                                           PngCase{16383, 1, 1}, PngCase{16384, 1, 2}, PngCase{256, 256, 5}),
                         [](const auto& info) {
                           return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
                         });

TEST(PngWriterTest, RefusesIllFormedImages) {
  EXPECT_FALSE(EncodePng(RgbaImage{}));
  EXPECT_FALSE(EncodePng(RgbaImage{0, 4, {}}));
  EXPECT_FALSE(EncodePng(RgbaImage{2, 2, std::vector<std::uint8_t>(15)}));
  EXPECT_FALSE(EncodePng(RgbaImage{2, 2, std::vector<std::uint8_t>(17)}));
  EXPECT_FALSE(EncodePng(RgbaImage{-2, -2, std::vector<std::uint8_t>(16)}));
  EXPECT_TRUE(EncodePng(PaintTrayIcon(901, 16)));
}

}  // namespace
}  // namespace norvaket
