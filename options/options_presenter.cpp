#include "options/options_presenter.h"

#include "options/round_half_even.h"
#include "options/value_reader.h"

namespace norvaket {
namespace {

const ValueBoxBinding& BindingOf(OptionsValueBox box) {
  for (const ValueBoxBinding& binding : kSettingValueBoxes) {
    if (binding.box == box) return binding;
  }
  return kSettingValueBoxes.front();
}

}  // namespace

OptionsPresenter::OptionsPresenter(OptionsView& view, Settings& settings, SettingsStore& store,
                                   AutoRunRegistration& autorun, DialogTracker& dialogs)
    : view_(view), settings_(settings), store_(store), autorun_(autorun), dialogs_(dialogs) {}

void OptionsPresenter::Load() {
  dialogs_.MarkLoaded(DialogKind::Options);
  loaded_ = true;
  current_tab_ = kFirstTab;
  view_.CopyMainWindowIcon();
  for (const ValueBoxBinding& binding : kSettingValueBoxes) {
    view_.AttachStepper(binding.box, settings_.*binding.field);
  }
  for (const CheckBoxBinding& binding : kSettingCheckBoxes) {
    if (settings_.*binding.field == kTrue) view_.SetCheckState(binding.box, kChecked);
  }
  autorun_.QueryAutoRun(settings_);
  if (settings_.AutoRun == kTrue) view_.SetCheckState(OptionsCheckBox::chkAutoRun, kChecked);
  view_.SetApplyEnabled(false);
}

void OptionsPresenter::Unload() {
  if (!loaded_) return;
  loaded_ = false;
  dialogs_.MarkUnloaded(DialogKind::Options);
}

void OptionsPresenter::OnTabClick() {
  const int selected = view_.SelectedTab();
  if (selected == current_tab_) return;
  view_.SetPanelVisible(selected, true);
  view_.SetPanelVisible(current_tab_, false);
  current_tab_ = selected;
  view_.FocusPanel(selected);
}

void OptionsPresenter::OnEdit() {
  view_.SetApplyEnabled(true);
}

bool OptionsPresenter::RejectOutOfRange(OptionsValueBox box, const char* message) {
  const double value = ReadValue(view_.ValueText(box));
  if (BindingOf(box).range.Contains(value)) return false;
  view_.ShowMessageBox(message, kErrorTitle, kMbOk | kMbIconExclamation);
  view_.SelectTab(kFirstTab);
  OnTabClick();
  return true;
}

void OptionsPresenter::StoreControls() {
  for (const CheckBoxBinding& binding : kSettingCheckBoxes) {
    settings_.*binding.field = IsChecked(view_.GetCheckState(binding.box));
  }
  // Every value passed its range check, so it rounds into its range.
  for (const ValueBoxBinding& binding : kSettingValueBoxes) {
    settings_.*binding.field = RoundHalfToEven(ReadValue(view_.ValueText(binding.box)));
  }
}

void OptionsPresenter::OnApply() {
  if (RejectOutOfRange(OptionsValueBox::txtCV0Value, kChargeProgressRangeMessage)) return;
  if (RejectOutOfRange(OptionsValueBox::txtCV2Value, kLowBatteryRangeMessage)) return;

  // Written on every apply, changed or not, so a registration removed behind the
  // program's back comes back.
  settings_.AutoRun = IsChecked(view_.GetCheckState(OptionsCheckBox::chkAutoRun));
  if (settings_.AutoRun == kTrue) {
    autorun_.EnableAutoRun();
  } else {
    autorun_.DisableAutoRun();
  }
  StoreControls();

  // A failed save must not look like success: Apply is left enabled (even after
  // an OK with nothing edited), so OK keeps the dialog open and the user can try
  // again; the new values stay in effect for this run.
  if (!store_.SaveSettings(settings_)) {
    view_.ShowMessageBox(kSaveFailedMessage, kErrorTitle, kMbOk | kMbIconExclamation);
    view_.SetApplyEnabled(true);
    return;
  }
  view_.SetApplyEnabled(false);
}

void OptionsPresenter::OnOk() {
  OnApply();
  if (!view_.ApplyEnabled()) view_.CloseDialog();
}

void OptionsPresenter::OnCancel() {
  view_.CloseDialog();
}

}  // namespace norvaket
