#pragma once

#include <QDialog>
#include <QIcon>
#include <QPointer>
#include <array>
#include <map>
#include <optional>
#include <vector>

#include "options/options_layout.h"
#include "options/options_presenter.h"
#include "options/options_view.h"

class QCheckBox;
class QMessageBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace norvaket::qt {

class StepperBox;

// frmOption: the two-tab options dialog. Every control carries its documented
// name as its object name; the two panels are both named "picFrame" with the
// property "index" 1 and 2. Loading happens in the constructor, so each opening
// needs a new dialog.
class OptionsDialog final : public QDialog, public OptionsView {
  Q_OBJECT

 public:
  OptionsDialog(Settings& settings, SettingsStore& store, AutoRunRegistration& autorun,
                DialogTracker& dialogs, const QIcon& main_window_icon, QWidget* parent = nullptr);
  ~OptionsDialog() override;

  int CurrentTab() const { return presenter_.CurrentTab(); }

  // OptionsView
  void CopyMainWindowIcon() override;
  void AttachStepper(OptionsValueBox box, std::int32_t position) override;
  CheckState GetCheckState(OptionsCheckBox box) const override;
  void SetCheckState(OptionsCheckBox box, CheckState state) override;
  std::string ValueText(OptionsValueBox box) const override;
  bool ApplyEnabled() const override;
  void SetApplyEnabled(bool enabled) override;
  int SelectedTab() const override;
  void SelectTab(int tab) override;
  void SetPanelVisible(int panel, bool visible) override;
  void FocusPanel(int panel) override;
  void ShowMessageBox(const std::string& text, const std::string& title,
                      std::uint32_t style) override;
  void CloseDialog() override;

  // Esc and the close box cancel; every way of closing unloads once. A close while a
  // message box is open (the program ending) closes the box first and the dialog once
  // the box's event loop has returned, so that the box is never deleted under its own loop.
  void reject() override;
  void done(int result) override;

 private:
  void BuildTabs();
  QWidget* AddPanel(int index, bool visible);
  // Walks the dialog's portable description; the widgets take the focus in its order.
  void BuildControls();
  QWidget* AddControl(QWidget* parent, const DialogControl& control);
  // Gives each value box the name and label a screen reader says for it.
  void NameValueBoxes();
  void AddRule(QWidget* panel, const TwipsBox& heading);
  QPushButton* AddButton(const DialogControl& control);
  void LayOutSentences();
  StepperBox* ValueBox(OptionsValueBox box) const;

  QIcon main_window_icon_;
  QTabWidget* tab_strip_ = nullptr;
  std::array<QWidget*, 2> panels_{};
  std::map<OptionsCheckBox, QCheckBox*> check_boxes_;
  std::map<OptionsValueBox, StepperBox*> value_boxes_;
  // Each sentence row's parts, left to right.
  std::map<int, std::vector<QWidget*>> sentences_;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* apply_ = nullptr;
  QPointer<QMessageBox> message_box_;
  std::optional<int> close_after_message_box_;
  OptionsPresenter presenter_;
};

}  // namespace norvaket::qt
