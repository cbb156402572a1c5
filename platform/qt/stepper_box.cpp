#include "platform/qt/stepper_box.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>

#include "platform/qt/accessible_stepper_box.h"

namespace norvaket::qt {

StepperBox::StepperBox(QWidget* parent) : QAbstractSpinBox(parent) {
  // Qt keeps accessibility factories for the whole process: register ours once.
  [[maybe_unused]] static const bool accessible_registered = [] {
    QAccessible::installFactory(&AccessibleStepperBox::Create);
    return true;
  }();
  setAccelerated(false);
  setKeyboardTracking(true);
  setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
  connect(lineEdit(), &QLineEdit::textChanged, this, &StepperBox::TextChanged);
  connect(lineEdit(), &QLineEdit::textChanged, this, &StepperBox::ReportValueChange);
}

int StepperBox::Value() const {
  return value_.Base(Text().toStdString());
}

// Qt tells readers of the text and the caret; the number it stands for is ours.
void StepperBox::ReportValueChange() {
  if (!QAccessible::isActive()) return;
  QAccessibleValueChangeEvent event(this, Value());
  QAccessible::updateAccessibility(&event);
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
