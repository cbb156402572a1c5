#pragma once

#include "tray/launcher.h"

namespace norvaket::qt {

// Opens links through the desktop (xdg-open semantics via QDesktopServices) and
// starts programs detached.
class DesktopLauncher final : public Launcher {
 public:
  void StartCommandLine(const std::string& command_line) override;
  void OpenLink(const std::string& target) override;
};

}  // namespace norvaket::qt
