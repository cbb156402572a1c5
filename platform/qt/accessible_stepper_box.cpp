#include "platform/qt/accessible_stepper_box.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <algorithm>

#include "options/stepper_value.h"
#include "platform/qt/stepper_box.h"

namespace norvaket::qt {

AccessibleStepperBox::AccessibleStepperBox(StepperBox* box)
    : QAccessibleWidget(box, QAccessible::SpinBox) {}

QAccessibleInterface* AccessibleStepperBox::Create(const QString& class_name, QObject* object) {
  if (class_name != QLatin1String(StepperBox::staticMetaObject.className())) return nullptr;
  return new AccessibleStepperBox(static_cast<StepperBox*>(object));
}

StepperBox* AccessibleStepperBox::Box() const {
  return static_cast<StepperBox*>(widget());
}

void* AccessibleStepperBox::interface_cast(QAccessible::InterfaceType type) {
  switch (type) {
    case QAccessible::ValueInterface:
      return static_cast<QAccessibleValueInterface*>(this);
    case QAccessible::TextInterface:
      return static_cast<QAccessibleTextInterface*>(this);
    case QAccessible::EditableTextInterface:
      return static_cast<QAccessibleEditableTextInterface*>(this);
    default:
      return QAccessibleWidget::interface_cast(type);
  }
}

QString AccessibleStepperBox::text(QAccessible::Text kind) const {
  if (kind == QAccessible::Value) return Box()->Text();
  return QAccessibleWidget::text(kind);
}

QAccessible::State AccessibleStepperBox::state() const {
  QAccessible::State state = QAccessibleWidget::state();
  state.editable = !Box()->isReadOnly();
  state.readOnly = Box()->isReadOnly();
  state.selectableText = true;
  return state;
}

QVariant AccessibleStepperBox::currentValue() const {
  return Box()->Value();
}

void AccessibleStepperBox::setCurrentValue(const QVariant& value) {
  Box()->SetPosition(value.toInt());
}

QVariant AccessibleStepperBox::maximumValue() const {
  return StepperValue::kUpperLimit;
}

QVariant AccessibleStepperBox::minimumValue() const {
  return StepperValue::kLowerLimit;
}

QVariant AccessibleStepperBox::minimumStepSize() const {
  return 1;
}

QStringList AccessibleStepperBox::actionNames() const {
  return QAccessibleWidget::actionNames() << increaseAction() << decreaseAction();
}

void AccessibleStepperBox::doAction(const QString& action) {
  if (action == increaseAction()) {
    Box()->stepUp();
  } else if (action == decreaseAction()) {
    Box()->stepDown();
  } else {
    QAccessibleWidget::doAction(action);
  }
}

QStringList AccessibleStepperBox::keyBindingsForAction(const QString& action) const {
  if (action == increaseAction()) return {QStringLiteral("Up")};
  if (action == decreaseAction()) return {QStringLiteral("Down")};
  return QAccessibleWidget::keyBindingsForAction(action);
}

void AccessibleStepperBox::selection(int selection_index, int* start_offset,
                                     int* end_offset) const {
  *start_offset = *end_offset = 0;
  const QLineEdit* editor = Box()->Editor();
  if (selection_index != 0 || !editor->hasSelectedText()) return;
  *start_offset = editor->selectionStart();
  *end_offset = editor->selectionEnd();
}

int AccessibleStepperBox::selectionCount() const {
  return Box()->Editor()->hasSelectedText() ? 1 : 0;
}

void AccessibleStepperBox::addSelection(int start_offset, int end_offset) {
  setSelection(0, start_offset, end_offset);
}

void AccessibleStepperBox::removeSelection(int selection_index) {
  if (selection_index == 0) Box()->Editor()->deselect();
}

void AccessibleStepperBox::setSelection(int selection_index, int start_offset, int end_offset) {
  if (selection_index != 0) return;
  Box()->Editor()->setSelection(start_offset, end_offset - start_offset);
}

int AccessibleStepperBox::cursorPosition() const {
  return Box()->Editor()->cursorPosition();
}

void AccessibleStepperBox::setCursorPosition(int position) {
  Box()->Editor()->setCursorPosition(position);
}

QString AccessibleStepperBox::text(int start_offset, int end_offset) const {
  if (start_offset > end_offset) return {};
  return Box()->Text().mid(start_offset, end_offset - start_offset);
}

int AccessibleStepperBox::characterCount() const {
  return static_cast<int>(Box()->Text().size());
}

// Measured from the caret, whose place already allows for the box's scrolling.
QRect AccessibleStepperBox::characterRect(int offset) const {
  const QLineEdit* editor = Box()->Editor();
  const QString shown = editor->displayText();
  if (offset < 0 || offset >= shown.size()) return {};
  const QFontMetrics metrics(editor->font());
  const QRect caret = editor->inputMethodQuery(Qt::ImCursorRectangle).toRect();
  const int left = caret.x() + metrics.horizontalAdvance(shown.left(offset)) -
                   metrics.horizontalAdvance(shown.left(editor->cursorPosition()));
  const QRect local(left, caret.y(), metrics.horizontalAdvance(shown.at(offset)), caret.height());
  return local.translated(editor->mapToGlobal(QPoint(0, 0)));
}

int AccessibleStepperBox::offsetAtPoint(const QPoint& point) const {
  const QLineEdit* editor = Box()->Editor();
  const QPoint local = editor->mapFromGlobal(point);
  if (!editor->rect().contains(local)) return -1;
  return const_cast<QLineEdit*>(editor)->cursorPositionAt(local);
}

void AccessibleStepperBox::scrollToSubstring(int start_index, int end_index) {
  // The line edit scrolls to show its caret: past the end first, then back to the start.
  Box()->Editor()->setCursorPosition(end_index);
  Box()->Editor()->setCursorPosition(start_index);
}

QString AccessibleStepperBox::attributes(int offset, int* start_offset, int* end_offset) const {
  // One run of plain text: the same (no) attributes from the first character to the last.
  *start_offset = offset < 0 ? -1 : 0;
  *end_offset = offset < 0 ? -1 : characterCount();
  return {};
}

void AccessibleStepperBox::deleteText(int start_offset, int end_offset) {
  Edit(start_offset, end_offset, {});
}

void AccessibleStepperBox::insertText(int offset, const QString& text) {
  Edit(offset, offset, text);
}

void AccessibleStepperBox::replaceText(int start_offset, int end_offset, const QString& text) {
  Edit(start_offset, end_offset, text);
}

void AccessibleStepperBox::Edit(int start, int end, const QString& replacement) {
  StepperBox* box = Box();
  if (box->isReadOnly() || !box->isEnabled()) return;
  QString edited = box->Text();
  start = std::clamp(start, 0, static_cast<int>(edited.size()));
  end = std::clamp(end, start, static_cast<int>(edited.size()));
  edited.replace(start, end - start, replacement);
  int caret = start + static_cast<int>(replacement.size());
  if (box->validate(edited, caret) == QValidator::Invalid) return;
  box->SetText(edited);
  box->Editor()->setCursorPosition(caret);
}

}  // namespace norvaket::qt
