#include "tray/menu_command_target.h"

namespace norvaket {

void DispatchMenuCommand(MenuCommand command, MenuCommandTarget& target, DialogHost& dialogs) {
  switch (command) {
    case MenuCommand::SystemProperties:
      target.OpenPowerSettings();
      break;
    case MenuCommand::Options:
      dialogs.OpenOptions();
      break;
    case MenuCommand::About:
      dialogs.OpenAbout();
      break;
    case MenuCommand::Exit:
      target.ExitSoon();
      break;
    case MenuCommand::Help:
    case MenuCommand::None:
      break;
  }
}

}  // namespace norvaket
