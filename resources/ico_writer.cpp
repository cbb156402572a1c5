#include "resources/ico_writer.h"

#include "resources/byte_writer.h"

namespace norvaket {
namespace {

constexpr int kMaxIcoSide = 256;
constexpr std::uint16_t kResourceTypeIcon = 1;
constexpr std::uint32_t kDirectoryHeaderBytes = 6;
constexpr std::uint32_t kDirectoryEntryBytes = 16;
constexpr std::uint32_t kBitmapInfoHeaderBytes = 40;
// Below this alpha a pixel counts as transparent for readers that know only the mask.
constexpr std::uint8_t kMaskAlphaThreshold = 128;

std::size_t Index(const RgbaImage& image, int x, int y) {
  return (static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) + static_cast<std::size_t>(x)) * 4;
}

std::uint32_t MaskRowBytes(int width) { return static_cast<std::uint32_t>((width + 31) / 32 * 4); }

std::uint32_t PixelBytes(const RgbaImage& image) {
  return static_cast<std::uint32_t>(image.width) * static_cast<std::uint32_t>(image.height) * 4;
}

std::uint32_t MaskBytes(const RgbaImage& image) {
  return MaskRowBytes(image.width) * static_cast<std::uint32_t>(image.height);
}

std::uint32_t EntryBytes(const RgbaImage& image) {
  return kBitmapInfoHeaderBytes + PixelBytes(image) + MaskBytes(image);
}

// 256 does not fit the directory's byte and is written as 0.
std::uint8_t DirectorySide(int side) { return side == kMaxIcoSide ? 0 : static_cast<std::uint8_t>(side); }

void AppendBitmap(ByteWriter& out, const RgbaImage& image) {
  out.U32LittleEndian(kBitmapInfoHeaderBytes);
  out.U32LittleEndian(static_cast<std::uint32_t>(image.width));
  out.U32LittleEndian(static_cast<std::uint32_t>(image.height) * 2);  // colour and mask stacked
  out.U16LittleEndian(1);   // planes
  out.U16LittleEndian(32);  // bits per pixel
  out.U32LittleEndian(0);   // BI_RGB
  out.U32LittleEndian(PixelBytes(image) + MaskBytes(image));
  out.U32LittleEndian(0);  // pixels per metre, x
  out.U32LittleEndian(0);  // pixels per metre, y
  out.U32LittleEndian(0);  // colours used
  out.U32LittleEndian(0);  // important colours

  // Bitmaps run from the bottom row up.
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      const std::uint8_t* p = &image.pixels[Index(image, x, y)];
      out.U8(p[2]);
      out.U8(p[1]);
      out.U8(p[0]);
      out.U8(p[3]);
    }
  }
  for (int y = image.height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(MaskRowBytes(image.width), 0);
    for (int x = 0; x < image.width; ++x) {
      if (image.pixels[Index(image, x, y) + 3] < kMaskAlphaThreshold)
        row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    out.Bytes(row);
  }
}

bool CanHold(const RgbaImage& image) {
  return image.IsWellFormed() && image.width <= kMaxIcoSide && image.height <= kMaxIcoSide;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> EncodeIco(const std::vector<RgbaImage>& images) {
  if (images.empty() || images.size() > 0xFFFF) return std::nullopt;
  for (const RgbaImage& image : images)
    if (!CanHold(image)) return std::nullopt;

  ByteWriter out;
  out.U16LittleEndian(0);  // reserved
  out.U16LittleEndian(kResourceTypeIcon);
  out.U16LittleEndian(static_cast<std::uint16_t>(images.size()));
  std::uint32_t offset = kDirectoryHeaderBytes + kDirectoryEntryBytes * static_cast<std::uint32_t>(images.size());
  for (const RgbaImage& image : images) {
    out.U8(DirectorySide(image.width));
    out.U8(DirectorySide(image.height));
    out.U8(0);  // no palette
    out.U8(0);  // reserved
    out.U16LittleEndian(1);   // planes
    out.U16LittleEndian(32);  // bits per pixel
    out.U32LittleEndian(EntryBytes(image));
    out.U32LittleEndian(offset);
    offset += EntryBytes(image);
  }
  for (const RgbaImage& image : images) AppendBitmap(out, image);
  return out.Take();
}

}  // namespace norvaket
