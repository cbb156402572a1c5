#pragma once

#include <QAccessibleWidget>

namespace norvaket::qt {

class StepperBox;

// The value box as screen readers meet it: a spin button whose text can be read
// (as shown, with caret and selection) and edited, whose value is the number a
// step starts from within the stepper's limits, and whose Increase/Decrease
// actions step as the arrows do. The inner line edit has no accessible of its
// own, so the box answers for it.
class AccessibleStepperBox final : public QAccessibleWidget,
                                   public QAccessibleValueInterface,
                                   public QAccessibleTextInterface,
                                   public QAccessibleEditableTextInterface {
 public:
  explicit AccessibleStepperBox(StepperBox* box);

  // Qt's accessibility factory for StepperBox.
  static QAccessibleInterface* Create(const QString& class_name, QObject* object);

  void* interface_cast(QAccessible::InterfaceType type) override;
  QString text(QAccessible::Text kind) const override;
  QAccessible::State state() const override;

  // QAccessibleValueInterface
  QVariant currentValue() const override;
  void setCurrentValue(const QVariant& value) override;
  QVariant maximumValue() const override;
  QVariant minimumValue() const override;
  QVariant minimumStepSize() const override;

  // QAccessibleActionInterface
  QStringList actionNames() const override;
  void doAction(const QString& action) override;
  QStringList keyBindingsForAction(const QString& action) const override;

  // QAccessibleTextInterface
  void selection(int selection_index, int* start_offset, int* end_offset) const override;
  int selectionCount() const override;
  void addSelection(int start_offset, int end_offset) override;
  void removeSelection(int selection_index) override;
  void setSelection(int selection_index, int start_offset, int end_offset) override;
  int cursorPosition() const override;
  void setCursorPosition(int position) override;
  QString text(int start_offset, int end_offset) const override;
  int characterCount() const override;
  QRect characterRect(int offset) const override;
  int offsetAtPoint(const QPoint& point) const override;
  void scrollToSubstring(int start_index, int end_index) override;
  QString attributes(int offset, int* start_offset, int* end_offset) const override;

  // QAccessibleEditableTextInterface: each edit goes where a key press goes.
  void deleteText(int start_offset, int end_offset) override;
  void insertText(int offset, const QString& text) override;
  void replaceText(int start_offset, int end_offset, const QString& text) override;

 private:
  StepperBox* Box() const;
  // Replaces [start, end) as typing over a selection would: refused where the box
  // takes no keys or its validation rejects the result, else the box's own edit.
  void Edit(int start, int end, const QString& replacement);
};

}  // namespace norvaket::qt
