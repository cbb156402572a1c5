#pragma once

#include "tray/dialog_tracker.h"

namespace norvaket {

// The front end's part of the two dialogs: their windows.
class DialogWindows {
 public:
  virtual ~DialogWindows() = default;
  // Creates the dialog (it loads itself) and shows it; a modal front end returns
  // once it has closed.
  virtual void ShowNew(DialogKind dialog) = 0;
  // Brings the open dialog to the front; nothing when there is none.
  virtual void Focus(DialogKind dialog) = 0;
  // Closes the open dialog as Cancel would; nothing when there is none.
  virtual void Close(DialogKind dialog) = 0;
};

}  // namespace norvaket
