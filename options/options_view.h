#pragma once

#include <cstdint>
#include <string>

#include "options/options_controls.h"

namespace norvaket {

// Message box style bits as the presenter asks for them (MB_OK, MB_ICONEXCLAMATION).
inline constexpr std::uint32_t kMbOk = 0x0;
inline constexpr std::uint32_t kMbIconExclamation = 0x30;

// The options dialog's controls as the presenter sees them: a Qt dialog, a Win32
// dialog or a fake. Tabs and panels are numbered 1 (表示) and 2 (動作).
// A view reports every change of a check box's state and of a value box's text,
// whoever made it, to the presenter's OnEdit.
class OptionsView {
 public:
  virtual ~OptionsView() = default;

  virtual void CopyMainWindowIcon() = 0;
  // Gives the value box its stepper at `position`, which writes the number into the box.
  virtual void AttachStepper(OptionsValueBox box, std::int32_t position) = 0;

  virtual CheckState GetCheckState(OptionsCheckBox box) const = 0;
  virtual void SetCheckState(OptionsCheckBox box, CheckState state) = 0;
  virtual std::string ValueText(OptionsValueBox box) const = 0;

  virtual bool ApplyEnabled() const = 0;
  virtual void SetApplyEnabled(bool enabled) = 0;

  virtual int SelectedTab() const = 0;
  virtual void SelectTab(int tab) = 0;
  virtual void SetPanelVisible(int panel, bool visible) = 0;
  virtual void FocusPanel(int panel) = 0;

  // Modal, owned by the dialog, OK button only; returns when it is dismissed.
  virtual void ShowMessageBox(const std::string& text, const std::string& title,
                              std::uint32_t style) = 0;
  virtual void CloseDialog() = 0;
};

}  // namespace norvaket
