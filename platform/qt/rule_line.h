#pragma once

#include <QColor>
#include <QWidget>

namespace norvaket::qt {

// One horizontal line of an etched rule: a grey line with a white one a pixel
// below draws a groove on the dialog's face.
// Screen readers meet it as a separator.
class RuleLine final : public QWidget {
  Q_OBJECT

 public:
  RuleLine(QWidget* parent, QPoint from, int to_x, QColor colour, int width = 1);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor colour_;
};

inline const QColor kRuleGrey{128, 128, 128};
inline const QColor kRuleWhite{255, 255, 255};

}  // namespace norvaket::qt
