#include "tray/dialog_tracker.h"

namespace norvaket {

bool DialogTracker::IsOpen(DialogKind dialog) const {
  return dialog == DialogKind::Options ? options_open_ : about_open_;
}

OpenAction DialogTracker::OnMenuOpen(DialogKind dialog) const {
  return IsOpen(dialog) ? OpenAction::Focus : OpenAction::Show;
}

OpenAction DialogTracker::OnTrayDoubleClick() const {
  if (options_open_) return OpenAction::Focus;
  if (about_open_) return OpenAction::Ignore;
  return OpenAction::Show;
}

}  // namespace norvaket
