#pragma once

namespace norvaket {

enum class DialogKind { Options, About };

// What a request to open a dialog should do.
enum class OpenAction { Show, Focus, Ignore };

// Which of the two dialogs are open. Each keeps its own state: one shared flag
// would read "closed" after either closed while the other was still open.
class DialogTracker {
 public:
  void MarkLoaded(DialogKind dialog) { Slot(dialog) = true; }
  void MarkUnloaded(DialogKind dialog) { Slot(dialog) = false; }
  bool IsOpen(DialogKind dialog) const;

  // True while either dialog is open.
  bool DialogOpen() const { return options_open_ || about_open_; }

  // A menu command: an open dialog gets the focus instead of a second copy.
  OpenAction OnMenuOpen(DialogKind dialog) const;
  // A double-click on the tray icon opens the options dialog, focuses it when it
  // is open, and leaves an open about box alone.
  OpenAction OnTrayDoubleClick() const;

 private:
  bool& Slot(DialogKind dialog) {
    return dialog == DialogKind::Options ? options_open_ : about_open_;
  }

  bool options_open_ = false;
  bool about_open_ = false;
};

}  // namespace norvaket
