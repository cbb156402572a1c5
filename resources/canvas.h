#pragma once

#include <utility>

#include "resources/pixel_geometry.h"
#include "resources/rgba_image.h"

namespace norvaket {

// A square, initially transparent drawing surface. Straight edges stay on whole
// pixels so small icons are crisp; only curves (rounded corners, circles) get
// anti-aliased edges, from a fixed 4 x 4 sample grid so that every run paints the
// same bytes. Everything is clipped to the surface.
class Canvas {
 public:
  explicit Canvas(int size);

  int Size() const { return image_.width; }

  void FillRect(const PixelRect& rect, Rgba colour);
  // The rounded rectangle `shape`, painted only inside `clip` (to cut a bar out of
  // a rounded interior).
  void FillRoundedRect(const PixelRect& shape, double radius, Rgba colour, const PixelRect& clip);
  void FillRoundedRect(const PixelRect& shape, double radius, Rgba colour) {
    FillRoundedRect(shape, radius, colour, shape);
  }
  void FillCircle(double centre_x, double centre_y, double radius, Rgba colour);

  RgbaImage TakeImage() { return std::move(image_); }

 private:
  void Blend(int x, int y, Rgba colour, int covered_samples);
  PixelRect ClipToSurface(const PixelRect& rect) const;

  RgbaImage image_;
};

}  // namespace norvaket
