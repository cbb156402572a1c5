#pragma once

#include "tray/launcher.h"

namespace norvaket::win32 {

// Command lines through CreateProcessW, links through ShellExecuteW "open":
// the browser for a web address, the mail program for "mailto:".
class Win32Launcher final : public Launcher {
 public:
  void StartCommandLine(const std::string& command_line) override;
  void OpenLink(const std::string& target) override;
};

}  // namespace norvaket::win32
