#include "platform/qt/link_label.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMouseEvent>

namespace norvaket::qt {
namespace {

// A screen reader meets the label as a link named by its text, and follows it
// with the press action as a click does.
class AccessibleLinkLabel final : public QAccessibleWidget {
 public:
  explicit AccessibleLinkLabel(LinkLabel* label) : QAccessibleWidget(label, QAccessible::Link) {}

  static QAccessibleInterface* Create(const QString& class_name, QObject* object) {
    if (class_name != QLatin1String(LinkLabel::staticMetaObject.className())) return nullptr;
    return new AccessibleLinkLabel(static_cast<LinkLabel*>(object));
  }

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name && Label()->accessibleName().isEmpty()) return Label()->text();
    return QAccessibleWidget::text(kind);
  }
  QStringList actionNames() const override {
    return QAccessibleWidget::actionNames() << pressAction();
  }
  void doAction(const QString& action) override {
    if (action == pressAction()) {
      emit Label()->Clicked();
    } else {
      QAccessibleWidget::doAction(action);
    }
  }

 private:
  LinkLabel* Label() const { return static_cast<LinkLabel*>(widget()); }
};

}  // namespace

LinkLabel::LinkLabel(QWidget* parent) : QLabel(parent) {
  // Qt keeps accessibility factories for the whole process: register ours once.
  [[maybe_unused]] static const bool accessible_registered = [] {
    QAccessible::installFactory(&AccessibleLinkLabel::Create);
    return true;
  }();
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
