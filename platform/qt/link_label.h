#pragma once

#include <QLabel>

namespace norvaket::qt {

// A label that reads as a link: underlined, a pointing hand over it, a click signal;
// a link with a press action for screen readers.
class LinkLabel final : public QLabel {
  Q_OBJECT

 public:
  explicit LinkLabel(QWidget* parent);

  void SetColour(const QColor& colour);
  QColor Colour() const;

 signals:
  void Clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace norvaket::qt
