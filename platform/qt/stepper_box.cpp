#include "platform/qt/stepper_box.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>

namespace norvaket::qt {
namespace {

// The box as assistive technologies see it: a spin box whose value is the number
// a step starts from, within the stepper's limits, and whose Increase/Decrease
// actions are the arrows. The line edit inside stays a child for reading the text.
class AccessibleStepperBox final : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit AccessibleStepperBox(StepperBox* box) : QAccessibleWidget(box, QAccessible::SpinBox) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Value) return Box()->Text();
    return QAccessibleWidget::text(kind);
  }

  QVariant currentValue() const override { return Box()->Value(); }
  void setCurrentValue(const QVariant& value) override { Box()->SetPosition(value.toInt()); }
  QVariant maximumValue() const override { return StepperValue::kUpperLimit; }
  QVariant minimumValue() const override { return StepperValue::kLowerLimit; }
  QVariant minimumStepSize() const override { return 1; }

  QStringList actionNames() const override {
    return QAccessibleWidget::actionNames() << increaseAction() << decreaseAction();
  }
  void doAction(const QString& action) override {
    if (action == increaseAction()) {
      Box()->stepUp();
    } else if (action == decreaseAction()) {
      Box()->stepDown();
    } else {
      QAccessibleWidget::doAction(action);
    }
  }
  QStringList keyBindingsForAction(const QString& action) const override {
    if (action == increaseAction()) return {QStringLiteral("Up")};
    if (action == decreaseAction()) return {QStringLiteral("Down")};
    return QAccessibleWidget::keyBindingsForAction(action);
  }

 private:
  StepperBox* Box() const { return static_cast<StepperBox*>(widget()); }
};

QAccessibleInterface* AccessibleStepperBoxFactory(const QString& class_name, QObject* object) {
  if (class_name != QLatin1String(StepperBox::staticMetaObject.className())) return nullptr;
  return new AccessibleStepperBox(static_cast<StepperBox*>(object));
}

}  // namespace

StepperBox::StepperBox(QWidget* parent) : QAbstractSpinBox(parent) {
  // Qt keeps accessibility factories for the whole process: register ours once.
  [[maybe_unused]] static const bool accessible_registered = [] {
    QAccessible::installFactory(&AccessibleStepperBoxFactory);
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
