#pragma once

#include <cstdint>

#include "options/options_view.h"
#include "settings/autorun.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "tray/dialog_tracker.h"

namespace norvaket {

inline constexpr const char* kErrorTitle = "エラー";
inline constexpr const char* kChargeProgressRangeMessage =
    "充電の進捗を通知するバッテリ残量は 1 から 99 %の間で指定してください。";
inline constexpr const char* kLowBatteryRangeMessage =
    "バッテリの低下を通知するバッテリ残量は 1 から 99 %の間で指定してください。";
inline constexpr const char* kSaveFailedMessage = "設定を保存できませんでした。";

// The options dialog's logic. The dialog's controls are the only working copy
// of the edits; Apply checks both battery levels before it stores anything, so
// a rejected apply leaves the settings, the INI file and the autorun entry alone.
// The enabled state of Apply is the only record of pending edits.
class OptionsPresenter {
 public:
  static constexpr int kFirstTab = 1;
  static constexpr int kSecondTab = 2;

  OptionsPresenter(OptionsView& view, Settings& settings, SettingsStore& store,
                   AutoRunRegistration& autorun, DialogTracker& dialogs);

  // Fills the controls from the settings; Apply is disabled last, because every
  // fill before it reports an edit.
  void Load();
  // Runs once, whichever way the dialog closes; nothing is saved.
  void Unload();

  void OnTabClick();
  // Every check box click and every value box text change.
  void OnEdit();
  void OnApply();
  void OnOk();
  void OnCancel();

  int CurrentTab() const { return current_tab_; }

 private:
  bool RejectOutOfRange(OptionsValueBox box, const char* message);
  void StoreControls();

  OptionsView& view_;
  Settings& settings_;
  SettingsStore& store_;
  AutoRunRegistration& autorun_;
  DialogTracker& dialogs_;
  int current_tab_ = kFirstTab;
  bool loaded_ = false;
};

}  // namespace norvaket
