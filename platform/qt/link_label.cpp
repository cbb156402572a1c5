#include "platform/qt/link_label.h"

#include <QMouseEvent>

namespace norvaket::qt {

LinkLabel::LinkLabel(QWidget* parent) : QLabel(parent) {
  QFont underlined = font();
  underlined.setUnderline(true);
  setFont(underlined);
  setCursor(Qt::PointingHandCursor);
}

void LinkLabel::SetColour(const QColor& colour) {
  QPalette palette = this->palette();
  palette.setColor(QPalette::WindowText, colour);
  setPalette(palette);
}

QColor LinkLabel::Colour() const {
  return palette().color(QPalette::WindowText);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit Clicked();
  }
  QLabel::mouseReleaseEvent(event);
}

}  // namespace norvaket::qt
