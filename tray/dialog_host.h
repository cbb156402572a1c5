#pragma once

#include "tray/dialog_tracker.h"
#include "tray/dialog_windows.h"

namespace norvaket {

// Opens and closes the options dialog and the about box for the tray program.
// An open dialog is brought forward instead of being opened twice.
class DialogHost {
 public:
  DialogHost(DialogWindows& windows, const DialogTracker& tracker)
      : windows_(windows), tracker_(tracker) {}

  // The menu's commands.
  void OpenOptions() { Act(tracker_.OnMenuOpen(DialogKind::Options), DialogKind::Options); }
  void OpenAbout() { Act(tracker_.OnMenuOpen(DialogKind::About), DialogKind::About); }
  // A double-click on the icon: nothing while only the about box is open.
  void OpenOptionsFromTray() { Act(tracker_.OnTrayDoubleClick(), DialogKind::Options); }
  void CloseOptions() { windows_.Close(DialogKind::Options); }
  void CloseAbout() { windows_.Close(DialogKind::About); }

 private:
  void Act(OpenAction action, DialogKind dialog);

  DialogWindows& windows_;
  const DialogTracker& tracker_;
};

}  // namespace norvaket
