#include "platform/win32/icon_handle.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace norvaket::win32 {
namespace {

class UniqueBitmap {
 public:
  explicit UniqueBitmap(HBITMAP bitmap) : bitmap_(bitmap) {}
  UniqueBitmap(const UniqueBitmap&) = delete;
  UniqueBitmap& operator=(const UniqueBitmap&) = delete;
  ~UniqueBitmap() {
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
  }
  HBITMAP Get() const { return bitmap_; }

 private:
  HBITMAP bitmap_;
};

// A top-down 32-bit DIB section holding the image as BGRA, which is what
// icons with an alpha channel are made of.
HBITMAP CreateColourBitmap(const RgbaImage& image) {
  BITMAPV5HEADER header{};
  header.bV5Size = sizeof header;
  header.bV5Width = image.width;
  header.bV5Height = -image.height;
  header.bV5Planes = 1;
  header.bV5BitCount = 32;
  header.bV5Compression = BI_BITFIELDS;
  header.bV5RedMask = 0x00FF0000;
  header.bV5GreenMask = 0x0000FF00;
  header.bV5BlueMask = 0x000000FF;
  header.bV5AlphaMask = 0xFF000000;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<const BITMAPINFO*>(&header),
                                    DIB_RGB_COLORS, &bits, nullptr, 0);
  ReleaseDC(nullptr, screen);
  if (bitmap == nullptr || bits == nullptr) return bitmap;
  auto* out = static_cast<std::uint8_t*>(bits);
  for (std::size_t i = 0; i + 3 < image.pixels.size(); i += 4) {
    out[i + 0] = image.pixels[i + 2];
    out[i + 1] = image.pixels[i + 1];
    out[i + 2] = image.pixels[i + 0];
    out[i + 3] = image.pixels[i + 3];
  }
  return bitmap;
}

// The AND mask still matters where the alpha channel is ignored (old shells,
// some Wine drivers): transparent pixels are set in it.
HBITMAP CreateMaskBitmap(const RgbaImage& image) {
  const int stride = ((image.width + 15) / 16) * 2;  // monochrome rows are WORD aligned
  std::vector<std::uint8_t> mask(static_cast<std::size_t>(stride) * image.height, 0);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const std::size_t pixel = (static_cast<std::size_t>(y) * image.width + x) * 4;
      if (image.pixels[pixel + 3] == 0) {
        mask[static_cast<std::size_t>(y) * stride + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
      }
    }
  }
  return CreateBitmap(image.width, image.height, 1, 1, mask.data());
}

}  // namespace

UniqueIcon& UniqueIcon::operator=(UniqueIcon&& other) noexcept {
  if (this != &other) {
    if (icon_ != nullptr) DestroyIcon(icon_);
    icon_ = other.Release();
  }
  return *this;
}

UniqueIcon::~UniqueIcon() {
  if (icon_ != nullptr) DestroyIcon(icon_);
}

HICON UniqueIcon::Release() {
  HICON icon = icon_;
  icon_ = nullptr;
  return icon;
}

UniqueIcon CreateIconFromImage(const RgbaImage& image) {
  if (!image.IsWellFormed()) return UniqueIcon{};
  UniqueBitmap colour(CreateColourBitmap(image));
  UniqueBitmap mask(CreateMaskBitmap(image));
  if (colour.Get() == nullptr || mask.Get() == nullptr) return UniqueIcon{};
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmColor = colour.Get();
  info.hbmMask = mask.Get();
  // The icon gets its own copies of both bitmaps; ours go with this scope.
  return UniqueIcon(CreateIconIndirect(&info));
}

}  // namespace norvaket::win32
