#pragma once

#include <QIcon>
#include <QPointer>

#include "settings/autorun.h"
#include "settings/settings_store.h"
#include "tray/dialog_tracker.h"
#include "tray/dialog_windows.h"
#include "tray/launcher.h"

class QDialog;

namespace norvaket::qt {

class OptionsDialog;
class AboutBox;

// The dialogs' windows in Qt. Each dialog is created when it opens (it loads
// itself from the current settings) and deletes itself when it closes. The
// dialogs are application-modal but do not block the caller, so the update
// timer keeps ticking underneath.
class QtDialogHost final : public DialogWindows {
 public:
  QtDialogHost(Settings& settings, SettingsStore& store, AutoRunRegistration& autorun,
               Launcher& launcher, QIcon main_window_icon);
  ~QtDialogHost() override;

  void ShowNew(DialogKind dialog) override;
  void Focus(DialogKind dialog) override;
  void Close(DialogKind dialog) override;

  const DialogTracker& Tracker() const { return tracker_; }

 private:
  QDialog* Open(DialogKind dialog) const;

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
