#include "resources/canvas.h"

#include <cmath>
#include <utility>

namespace norvaket {
namespace {

constexpr int kSamplesPerAxis = 4;
constexpr int kSamplesPerPixel = kSamplesPerAxis * kSamplesPerAxis;

double SampleOffset(int index) { return (index + 0.5) / kSamplesPerAxis; }

bool InsideRoundedRect(const PixelRect& shape, double radius, double x, double y) {
  if (x < shape.left || x > shape.right || y < shape.top || y > shape.bottom) return false;
  const double nearest_x = std::clamp(x, shape.left + radius, shape.right - radius);
  const double nearest_y = std::clamp(y, shape.top + radius, shape.bottom - radius);
  const double dx = x - nearest_x;
  const double dy = y - nearest_y;
  return dx * dx + dy * dy <= radius * radius;
}

unsigned char ToByte(double value) {
  return static_cast<unsigned char>(std::lround(std::clamp(value, 0.0, 255.0)));
}

}  // namespace

Canvas::Canvas(int size) {
  image_.width = size;
  image_.height = size;
  image_.pixels.assign(static_cast<std::size_t>(size) * static_cast<std::size_t>(size) * 4, 0);
}

PixelRect Canvas::ClipToSurface(const PixelRect& rect) const {
  return {std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, image_.width),
          std::min(rect.bottom, image_.height)};
}

void Canvas::FillRect(const PixelRect& rect, Rgba colour) {
  const PixelRect area = ClipToSurface(rect);
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) Blend(x, y, colour, kSamplesPerPixel);
}

void Canvas::FillRoundedRect(const PixelRect& shape, double radius, Rgba colour,
                             const PixelRect& clip) {
  radius = std::clamp(radius, 0.0, std::min(shape.Width(), shape.Height()) / 2.0);
  const PixelRect area = ClipToSurface(PixelRect{std::max(shape.left, clip.left), std::max(shape.top, clip.top),
                                                 std::min(shape.right, clip.right),
                                                 std::min(shape.bottom, clip.bottom)});
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      // Only the corner squares need sampling; the rest of the shape is solid.
      const bool clear_of_corners = (x >= shape.left + radius && x + 1 <= shape.right - radius) ||
                                    (y >= shape.top + radius && y + 1 <= shape.bottom - radius);
      int covered = clear_of_corners ? kSamplesPerPixel : 0;
      for (int sy = 0; sy < kSamplesPerAxis && !clear_of_corners; ++sy)
        for (int sx = 0; sx < kSamplesPerAxis; ++sx)
          covered += InsideRoundedRect(shape, radius, x + SampleOffset(sx), y + SampleOffset(sy));
      Blend(x, y, colour, covered);
    }
  }
}

void Canvas::FillCircle(double centre_x, double centre_y, double radius, Rgba colour) {
  const PixelRect bounds = ClipToSurface(PixelRect{
      static_cast<int>(std::floor(centre_x - radius)), static_cast<int>(std::floor(centre_y - radius)),
      static_cast<int>(std::ceil(centre_x + radius)), static_cast<int>(std::ceil(centre_y + radius))});
  for (int y = bounds.top; y < bounds.bottom; ++y) {
    for (int x = bounds.left; x < bounds.right; ++x) {
      int covered = 0;
      for (int sy = 0; sy < kSamplesPerAxis; ++sy) {
        for (int sx = 0; sx < kSamplesPerAxis; ++sx) {
          const double dx = x + SampleOffset(sx) - centre_x;
          const double dy = y + SampleOffset(sy) - centre_y;
          covered += dx * dx + dy * dy <= radius * radius;
        }
      }
      Blend(x, y, colour, covered);
    }
  }
}

// Source-over in straight alpha.
void Canvas::Blend(int x, int y, Rgba colour, int covered_samples) {
  if (covered_samples <= 0) return;
  unsigned char* pixel =
      &image_.pixels[(static_cast<std::size_t>(y) * static_cast<std::size_t>(image_.width) +
                      static_cast<std::size_t>(x)) * 4];
  const double source_alpha = colour.a / 255.0 * covered_samples / kSamplesPerPixel;
  const double dest_alpha = pixel[3] / 255.0;
  const double out_alpha = source_alpha + dest_alpha * (1.0 - source_alpha);
  if (out_alpha <= 0.0) return;
  const unsigned char source[3] = {colour.r, colour.g, colour.b};
  for (int channel = 0; channel < 3; ++channel) {
    pixel[channel] = ToByte((source[channel] * source_alpha +
                             pixel[channel] * dest_alpha * (1.0 - source_alpha)) / out_alpha);
  }
  pixel[3] = ToByte(out_alpha * 255.0);
}

}  // namespace norvaket
