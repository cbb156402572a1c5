#include "platform/qt/rule_line.h"

#include <QPainter>

namespace norvaket::qt {

RuleLine::RuleLine(QWidget* parent, QPoint from, int to_x, QColor colour, int width)
    : QWidget(parent), colour_(colour) {
  setGeometry(from.x(), from.y(), to_x - from.x(), width);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void RuleLine::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), colour_);
}

}  // namespace norvaket::qt
