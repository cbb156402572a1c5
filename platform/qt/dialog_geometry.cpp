#include "platform/qt/dialog_geometry.h"

#include <QGuiApplication>
#include <QScreen>

#include "platform/qt/twips.h"

namespace norvaket::qt {

void PlaceOnWorkArea(QWidget* dialog) {
  const QScreen* screen = dialog->screen() ? dialog->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect work = screen->availableGeometry();
  const QRect frame = dialog->frameGeometry();
  const PixelBox place = CentredInWorkArea(frame.width(), frame.height(),
                                           {work.x(), work.y(), work.width(), work.height()});
  dialog->move(place.left, place.top);
}

void GrowToTextHeights(std::span<const DialogControl> controls, std::span<QWidget* const> widgets,
                       int panel, const QWidget* container) {
  GrowPanelToTextHeights(
      controls, panel, container->height(),
      [&](std::size_t index) {
        const QWidget* widget = widgets[index];
        return GrowingControl{{widget->x(), widget->y(), widget->width(),
                               TwipsToPixels(controls[index].place.height)},
                              widget->sizeHint().height()};
      },
      [&](std::size_t index, const PixelBox& place) {
        widgets[index]->setGeometry(place.left, place.top, place.width, place.height);
      });
}

}  // namespace norvaket::qt
