#include "platform/qt/painted_icons.h"

#include <QImage>
#include <QPixmap>

#include "resources/icon_painter.h"

namespace norvaket::qt {
namespace {

// The sizes panels ask for, each painted exactly so that no host has to resample.
constexpr int kSizes[] = {16, 20, 22, 24, 32, 48, 64};

QPixmap ToPixmap(const RgbaImage& image) {
  const QImage view(image.pixels.data(), image.width, image.height, image.width * 4,
                    QImage::Format_RGBA8888);
  return QPixmap::fromImage(view.copy());
}

template <typename Paint>
QIcon PaintAllSizes(Paint paint) {
  QIcon icon;
  for (int size : kSizes) icon.addPixmap(ToPixmap(paint(size)));
  return icon;
}

}  // namespace

QIcon TrayIcon(std::int32_t icon_id) {
  return PaintAllSizes([icon_id](int size) { return PaintTrayIcon(icon_id, size); });
}

QIcon ApplicationIcon() {
  return PaintAllSizes([](int size) { return PaintAppIcon(size); });
}

}  // namespace norvaket::qt
