#include "tray/menu_command_target.h"

namespace norvaket {

void DispatchMenuCommand(MenuCommand command, MenuCommandTarget& target, DialogHost& dialogs) {
  if (command == MenuCommand::SystemProperties) target.OpenPowerSettings();
  if (command == MenuCommand::Options) dialogs.OpenOptions();
  if (command == MenuCommand::About) dialogs.OpenAbout();
  if (command == MenuCommand::Exit) target.ExitSoon();
}

}  // namespace norvaket
