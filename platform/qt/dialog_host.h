#pragma once

namespace norvaket::qt {

// Opens and closes the options dialog and the about box for the tray program.
// An open dialog is brought forward instead of being opened twice.
class DialogHost {
 public:
  virtual ~DialogHost() = default;
  // The menu's commands.
  virtual void OpenOptions() = 0;
  virtual void OpenAbout() = 0;
  // A double-click on the icon: nothing while only the about box is open.
  virtual void OpenOptionsFromTray() = 0;
  virtual void CloseOptions() = 0;
  virtual void CloseAbout() = 0;
};

}  // namespace norvaket::qt
