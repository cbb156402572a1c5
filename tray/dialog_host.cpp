#include "tray/dialog_host.h"

namespace norvaket {

void DialogHost::Act(OpenAction action, DialogKind dialog) {
  switch (action) {
    case OpenAction::Show:
      windows_.ShowNew(dialog);
      return;
    case OpenAction::Focus:
      windows_.Focus(dialog);
      return;
    case OpenAction::Ignore:
      return;
  }
}

}  // namespace norvaket
