#pragma once

#include <array>
#include <cstddef>

#include "tray/about_view.h"
#include "tray/dialog_tracker.h"
#include "tray/launcher.h"
#include "tray/program_identity.h"

namespace norvaket {

// The about box's logic. Each opening builds the box afresh, so a link clicked
// in an earlier opening is blue again.
class AboutPresenter {
 public:
  AboutPresenter(AboutView& view, Launcher& launcher, DialogTracker& dialogs,
                 ProgramIdentity identity);

  void Load();
  void Unload();
  void OnLinkClick(std::size_t link);
  void OnOk();

 private:
  AboutView& view_;
  Launcher& launcher_;
  DialogTracker& dialogs_;
  ProgramIdentity identity_;
  std::array<AboutLink, 2> links_;
  bool loaded_ = false;
};

}  // namespace norvaket
