#include "platform/qt/rule_line.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>

namespace norvaket::qt {
namespace {

QAccessibleInterface* AccessibleRuleLine(const QString& class_name, QObject* object) {
  if (class_name != QLatin1String(RuleLine::staticMetaObject.className())) return nullptr;
  return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Separator);
}

}  // namespace

RuleLine::RuleLine(QWidget* parent, QPoint from, int to_x, QColor colour, int width)
    : QWidget(parent), colour_(colour) {
  // Qt keeps accessibility factories for the whole process: register ours once.
  [[maybe_unused]] static const bool accessible_registered = [] {
    QAccessible::installFactory(&AccessibleRuleLine);
    return true;
  }();
  setGeometry(from.x(), from.y(), to_x - from.x(), width);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void RuleLine::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), colour_);
}

}  // namespace norvaket::qt
