#pragma once

#include "tray/dialog_host.h"
#include "tray/popup_menu.h"

namespace norvaket {

// What the menu's commands do that is the front end's own; the dialogs are the
// dialog host's.
class MenuCommandTarget {
 public:
  virtual ~MenuCommandTarget() = default;
  virtual void OpenPowerSettings() = 0;
  // Ends the program once the menu and its click are fully handled.
  virtual void ExitSoon() = 0;
};

// Carries out a command of the tray menu; the help item and separators do nothing.
void DispatchMenuCommand(MenuCommand command, MenuCommandTarget& target, DialogHost& dialogs);

}  // namespace norvaket
