#include "resources/ico_writer.h"

#include <gtest/gtest.h>

#include <vector>

#include "resources/icon_painter.h"

namespace norvaket {
namespace {

std::uint32_t Le16(const std::vector<std::uint8_t>& b, std::size_t at) { return b.at(at) | (b.at(at + 1) << 8); }
std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) { return Le16(b, at) | (Le16(b, at + 2) << 16); }

// A square image whose every pixel is different, with a transparent, a faint and
// an opaque pixel in known places.
RgbaImage Probe(int size) {
  RgbaImage image{size, size, std::vector<std::uint8_t>(static_cast<std::size_t>(size) * size * 4)};
  for (int i = 0; i < size * size; ++i) {
    image.pixels[static_cast<std::size_t>(i) * 4 + 0] = static_cast<std::uint8_t>(i);
    image.pixels[static_cast<std::size_t>(i) * 4 + 1] = static_cast<std::uint8_t>(i >> 8);
    image.pixels[static_cast<std::size_t>(i) * 4 + 2] = static_cast<std::uint8_t>(200);
    image.pixels[static_cast<std::size_t>(i) * 4 + 3] = 255;
  }
  image.pixels[3] = 0;                                     // top-left transparent
  if (size > 1) image.pixels[static_cast<std::size_t>(1) * 4 + 3] = 40;  // faint
  return image;
}

struct Entry {
  int width, height;
  std::uint32_t bytes, offset;
};

std::vector<Entry> ReadDirectory(const std::vector<std::uint8_t>& ico) {
  EXPECT_EQ(Le16(ico, 0), 0u);
  EXPECT_EQ(Le16(ico, 2), 1u) << "icon, not cursor";
  std::vector<Entry> entries;
  for (std::uint32_t i = 0; i < Le16(ico, 4); ++i) {
    const std::size_t at = 6 + 16 * i;
    EXPECT_EQ(Le16(ico, at + 4), 1u) << "planes";
    EXPECT_EQ(Le16(ico, at + 6), 32u) << "bits";
    entries.push_back({ico.at(at) == 0 ? 256 : ico.at(at), ico.at(at + 1) == 0 ? 256 : ico.at(at + 1),
                       Le32(ico, at + 8), Le32(ico, at + 12)});
  }
  return entries;
}

TEST(IcoWriterTest, DirectoryListsEveryImageBackToBack) {
  const std::vector<int> sizes = {16, 20, 24, 32, 48, 64, 256};
  std::vector<RgbaImage> images;
  for (int size : sizes) images.push_back(PaintAppIcon(size));
  const auto ico = EncodeIco(images);
  ASSERT_TRUE(ico);
  const std::vector<Entry> entries = ReadDirectory(*ico);
  ASSERT_EQ(entries.size(), sizes.size());
  std::uint32_t expected_offset = 6 + 16 * static_cast<std::uint32_t>(sizes.size());
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    const int side = sizes[i];
    const std::uint32_t mask_row = static_cast<std::uint32_t>((side + 31) / 32 * 4);
    EXPECT_EQ(entries[i].width, side);
    EXPECT_EQ(entries[i].height, side);
    EXPECT_EQ(entries[i].offset, expected_offset);
    EXPECT_EQ(entries[i].bytes, 40 + static_cast<std::uint32_t>(side * side * 4) + mask_row * side);
    expected_offset += entries[i].bytes;
  }
  EXPECT_EQ(expected_offset, ico->size());
}

class IcoBitmapTest : public ::testing::TestWithParam<int> {};

// Rows bottom-up, BGRA, mask bits set where a pixel is (nearly) transparent,
// mask rows padded to whole 32-bit words.
TEST_P(IcoBitmapTest, BitmapIsBottomUpBgraWithAMatchingMask) {
  const int side = GetParam();
  const RgbaImage image = Probe(side);
  const auto ico = EncodeIco({image});
  ASSERT_TRUE(ico);
  const std::size_t bitmap = ReadDirectory(*ico).at(0).offset;
  EXPECT_EQ(Le32(*ico, bitmap), 40u);
  EXPECT_EQ(Le32(*ico, bitmap + 4), static_cast<std::uint32_t>(side));
  EXPECT_EQ(Le32(*ico, bitmap + 8), static_cast<std::uint32_t>(side * 2)) << "colour and mask";
  EXPECT_EQ(Le16(*ico, bitmap + 14), 32u);
  EXPECT_EQ(Le32(*ico, bitmap + 16), 0u) << "uncompressed";

  const std::size_t pixels = bitmap + 40;
  const std::size_t mask = pixels + static_cast<std::size_t>(side) * side * 4;
  const std::size_t mask_row = static_cast<std::size_t>((side + 31) / 32 * 4);
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      const std::size_t source = (static_cast<std::size_t>(y) * side + x) * 4;
      const std::size_t stored = pixels + (static_cast<std::size_t>(side - 1 - y) * side + x) * 4;
      ASSERT_EQ((*ico)[stored + 0], image.pixels[source + 2]) << x << "," << y;
      ASSERT_EQ((*ico)[stored + 1], image.pixels[source + 1]);
      ASSERT_EQ((*ico)[stored + 2], image.pixels[source + 0]);
      ASSERT_EQ((*ico)[stored + 3], image.pixels[source + 3]);
      const std::uint8_t mask_byte = (*ico)[mask + static_cast<std::size_t>(side - 1 - y) * mask_row + x / 8];
      const bool transparent = (mask_byte >> (7 - x % 8)) & 1;
      ASSERT_EQ(transparent, image.pixels[source + 3] < 128) << x << "," << y;
    }
    for (std::size_t pad = static_cast<std::size_t>((side + 7) / 8); pad < mask_row; ++pad)
      ASSERT_EQ((*ico)[mask + static_cast<std::size_t>(side - 1 - y) * mask_row + pad], 0) << "padding";
  }
  EXPECT_EQ(mask + mask_row * side, ico->size());
}

INSTANTIATE_TEST_SUITE_P(Sides, IcoBitmapTest, ::testing::Values(1, 16, 20, 31, 33, 256),
                         [](const auto& info) { return std::to_string(info.param) + "px"; });

TEST(IcoWriterTest, RefusesWhatAnIcoCannotHold) {
  EXPECT_FALSE(EncodeIco({}));
  EXPECT_FALSE(EncodeIco({PaintAppIcon(16), RgbaImage{2, 2, std::vector<std::uint8_t>(3)}}));
  EXPECT_FALSE(EncodeIco({RgbaImage{257, 1, std::vector<std::uint8_t>(257 * 4)}}));
  EXPECT_FALSE(EncodeIco({RgbaImage{1, 257, std::vector<std::uint8_t>(257 * 4)}}));
  EXPECT_TRUE(EncodeIco({RgbaImage{256, 1, std::vector<std::uint8_t>(256 * 4)}}));
}

}  // namespace
}  // namespace norvaket
