#include "platform/qt/painted_icons.h"

#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <functional>
#include <iterator>
#include <map>
#include <memory>

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

// The drawn size that serves a request: the smallest at least as large, else the largest.
int DrawnSizeFor(int requested) {
  for (int size : kSizes) {
    if (size >= requested) return size;
  }
  return kSizes[std::size(kSizes) - 1];
}

// The pixmaps of one image, each drawn the first time a size is asked for and
// kept. Copies of the icon share them, so a tray icon shown again is not redrawn.
class PaintedPixmaps {
 public:
  using Paint = std::function<RgbaImage(int size)>;
  explicit PaintedPixmaps(Paint paint) : paint_(std::move(paint)) {}

  const QPixmap& At(int size) {
    auto found = pixmaps_.find(size);
    if (found == pixmaps_.end()) found = pixmaps_.emplace(size, ToPixmap(paint_(size))).first;
    return found->second;
  }

 private:
  Paint paint_;
  std::map<int, QPixmap> pixmaps_;
};

// Hands out the painter's sizes as a pixmap icon would, without drawing any of
// them before a window or a tray host asks.
class PaintedIconEngine final : public QIconEngine {
 public:
  explicit PaintedIconEngine(std::shared_ptr<PaintedPixmaps> pixmaps) : pixmaps_(std::move(pixmaps)) {}

  QIconEngine* clone() const override { return new PaintedIconEngine(pixmaps_); }

  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    QList<QSize> sizes;
    for (int size : kSizes) sizes.append(QSize(size, size));
    return sizes;
  }

  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
    const int requested = std::min(size.width(), size.height());
    const int side = std::min(requested, DrawnSizeFor(std::max(size.width(), size.height())));
    return {side, side};
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
    const int requested = std::max(size.width(), size.height());
    QPixmap drawn = pixmaps_->At(DrawnSizeFor(requested));
    const QSize wanted = actualSize(size, mode, QIcon::Off);
    if (drawn.size() != wanted) {
      drawn = drawn.scaled(wanted, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    return drawn;
  }

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
    const QPixmap shown = pixmap(rect.size() * ratio, mode, state);
    painter->drawPixmap(rect, shown);
  }

  QString key() const override { return QStringLiteral("norvaket-painted"); }

 private:
  std::shared_ptr<PaintedPixmaps> pixmaps_;
};

QIcon PaintedIcon(PaintedPixmaps::Paint paint) {
  return QIcon(new PaintedIconEngine(std::make_shared<PaintedPixmaps>(std::move(paint))));
}

}  // namespace

QIcon TrayIcons::operator()(std::int32_t icon_id) {
  auto found = icons_.find(icon_id);
  if (found == icons_.end()) {
    found = icons_.emplace(icon_id, PaintedIcon([icon_id](int size) { return PaintTrayIcon(icon_id, size); })).first;
  }
  return found->second;
}

QIcon ApplicationIcon() {
  return PaintedIcon([](int size) { return PaintAppIcon(size); });
}

}  // namespace norvaket::qt
