#pragma once

#include <QIcon>
#include <QPointer>

#include "platform/qt/dialog_host.h"
#include "settings/autorun.h"
#include "settings/settings_store.h"
#include "tray/dialog_tracker.h"
#include "tray/launcher.h"

class QDialog;

namespace norvaket::qt {

class OptionsDialog;
class AboutBox;

// Creates each dialog when it opens (it loads itself from the current settings)
// and lets it delete itself when it closes. The dialogs are application-modal
// but do not block the caller, so the update timer keeps ticking underneath.
class QtDialogHost final : public DialogHost {
 public:
  QtDialogHost(Settings& settings, SettingsStore& store, AutoRunRegistration& autorun,
               Launcher& launcher, QIcon main_window_icon);
  ~QtDialogHost() override;

  void OpenOptions() override;
  void OpenAbout() override;
  void OpenOptionsFromTray() override;
  void CloseOptions() override;
  void CloseAbout() override;

  const DialogTracker& Tracker() const { return tracker_; }

 private:
  void Act(OpenAction action, DialogKind dialog);
  void Show(QDialog* dialog);
  static void Focus(QDialog* dialog);

  Settings& settings_;
  SettingsStore& store_;
  AutoRunRegistration& autorun_;
  Launcher& launcher_;
  QIcon main_window_icon_;
  DialogTracker tracker_;
  QPointer<OptionsDialog> options_;
  QPointer<AboutBox> about_;
};

}  // namespace norvaket::qt
