#pragma once

#include <QAbstractSpinBox>
#include <QLineEdit>

#include "options/stepper_value.h"

namespace norvaket::qt {

// A free-text box with up/down arrows at its right edge. The box takes any text
// ("abc", "1.5", "50%"); only the dialog's Apply judges it. An arrow click or an
// Up/Down key moves the number one step between 1 and 99, without wrapping, and
// writes it into the box as text. Screen readers read and edit the text, and see
// the number, its range and Increase/Decrease actions that step as the arrows do.
class StepperBox final : public QAbstractSpinBox {
  Q_OBJECT

 public:
  explicit StepperBox(QWidget* parent);

  // Sets the stepper's position and writes it into the box.
  void SetPosition(int position);
  int Position() const { return value_.Position(); }
  // The number the text stands for: what the next step starts from.
  int Value() const;

  QString Text() const;
  void SetText(const QString& text);
  // The line edit that holds the text, caret and selection.
  QLineEdit* Editor() const { return lineEdit(); }

  void stepBy(int steps) override;
  QValidator::State validate(QString& input, int& pos) const override;

 signals:
  // Every change of the text: typing, pasting, a step, or SetPosition.
  void TextChanged();

 protected:
  StepEnabled stepEnabled() const override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void ReportValueChange();

  StepperValue value_{StepperValue::kLowerLimit};
};

}  // namespace norvaket::qt
