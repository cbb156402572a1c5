#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "options/options_layout.h"
#include "options/options_presenter.h"
#include "options/options_view.h"
#include "platform/win32/dialog_panel.h"
#include "platform/win32/modal_dialog.h"

namespace norvaket::win32 {

// frmOption: the options dialog as Win32 windows. A tab control with two
// tabs lies under two panels of which one shows; the value boxes carry
// up-down controls; OK is the Enter button and Cancel the Esc button. What
// the controls mean is the presenter's business.
class OptionsDialog final : public ModalDialog, private OptionsView {
 public:
  static constexpr int kTabStripId = 1001;
  static constexpr int kFirstPanelId = 1011;  // + panel number - 1
  static constexpr int kApplyId = 1003;
  static constexpr int kFirstCheckBoxId = 1101;  // + index in kAllCheckBoxes
  static constexpr int kFirstValueBoxId = 1201;  // + OptionsValueBox
  static constexpr int kStepperId = 101;
  static constexpr int kStepperWidthPx = 18;  // at 96 dpi
  static constexpr DWORD kStepperStyle =
      0x50000026;  // child, visible, arrow keys, right, buddy int

  OptionsDialog(HINSTANCE instance, HWND main_window, Settings& settings, SettingsStore& store,
                AutoRunRegistration& autorun, DialogTracker& dialogs);

  // The controls, for the program and for tests that drive the real windows.
  HWND CheckBox(OptionsCheckBox box) const;
  HWND ValueBox(OptionsValueBox box) const;
  HWND Stepper(OptionsValueBox box) const;
  HWND TabStrip() const { return tab_strip_; }
  HWND Panel(int panel) const;
  HWND OkButton() const;
  HWND CancelButton() const;
  HWND ApplyButton() const;
  int CurrentTab() const { return presenter_.CurrentTab(); }

 private:
  // ModalDialog
  HWND OnCreate() override;
  void OnCommand(int id, int code, HWND control) override;
  void OnNotify(const NMHDR& header) override;
  void OnDestroy() override;

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

  void BuildTabStrip();
  // One control of the dialog's portable description.
  HWND BuildControl(const DialogControl& control);
  HWND AddButton(const DialogControl& control);
  HWND AddLabel(HWND panel, const char* caption, const TwipsBox& place);
  HWND AddCheckBox(HWND panel, OptionsCheckBox box, const char* caption, const TwipsBox& place);
  HWND AddValueBox(HWND panel, OptionsValueBox box, const TwipsBox& place);
  HWND AddHeading(DialogPanel& panel, const char* caption, const TwipsBox& place);
  void LayOutSentences();

  HWND main_window_;
  OptionsPresenter presenter_;
  HWND tab_strip_ = nullptr;
  std::array<DialogPanel, 2> panels_;
  std::array<HWND, 12> check_boxes_{};
  std::array<HWND, 2> value_boxes_{};
  // The windows of kOptionsDialogControls, by index.
  std::array<HWND, kOptionsDialogControls.size()> controls_{};
  // SpinHandles: index 0 the stepper of txtCV2Value, index 1 that of txtCV0Value.
  std::array<HWND, 2> spin_handles_{};
  // By DialogButton.
  std::array<HWND, kDialogButtonNames.size()> buttons_{};
};

}  // namespace norvaket::win32
