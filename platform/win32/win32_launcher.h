#pragma once

#include <string>

#include "tray/launcher.h"

namespace norvaket::win32 {

// Starts a command line with a normal, activated window and does not wait for
// it. False when it could not be started.
bool StartProcess(const std::string& command_line);

// Command lines through CreateProcessW, links through ShellExecuteW "open":
// the browser for a web address, the mail program for "mailto:".
class Win32Launcher final : public Launcher {
 public:
  void StartCommandLine(const std::string& command_line) override;
  void OpenLink(const std::string& target) override;
};

}  // namespace norvaket::win32
