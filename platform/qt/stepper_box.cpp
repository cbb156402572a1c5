#include "platform/qt/stepper_box.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>

namespace norvaket::qt {

StepperBox::StepperBox(QWidget* parent) : QAbstractSpinBox(parent) {
  setAccelerated(false);
  setKeyboardTracking(true);
  setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
  connect(lineEdit(), &QLineEdit::textChanged, this, &StepperBox::TextChanged);
}

void StepperBox::SetPosition(int position) {
  value_ = StepperValue(position);
  SetText(QString::number(value_.Position()));
}

QString StepperBox::Text() const {
  return lineEdit()->text();
}

void StepperBox::SetText(const QString& text) {
  lineEdit()->setText(text);
  update();  // the arrows' enabled state follows the text
}

void StepperBox::stepBy(int steps) {
  const std::optional<std::string> text = value_.Step(Text().toStdString(), steps);
  if (!text) return;
  SetText(QString::fromStdString(*text));
  lineEdit()->selectAll();
}

QValidator::State StepperBox::validate(QString& /*input*/, int& /*pos*/) const {
  return QValidator::Acceptable;
}

QAbstractSpinBox::StepEnabled StepperBox::stepEnabled() const {
  if (isReadOnly()) return StepNone;
  const std::string text = Text().toStdString();
  StepEnabled enabled = StepNone;
  if (value_.CanStepUp(text)) enabled |= StepUpEnabled;
  if (value_.CanStepDown(text)) enabled |= StepDownEnabled;
  return enabled;
}

void StepperBox::keyPressEvent(QKeyEvent* event) {
  // One step per key press: the page keys' ten-step jumps are not ours.
  if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown) {
    event->ignore();
    return;
  }
  QAbstractSpinBox::keyPressEvent(event);
}

void StepperBox::wheelEvent(QWheelEvent* event) {
  // A scroll over the dialog must not change a battery level by accident.
  event->ignore();
}

}  // namespace norvaket::qt
