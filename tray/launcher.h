#pragma once

#include <string>

namespace norvaket {

// Starts programs and opens links through the desktop (xdg-open semantics on
// Linux, ShellExecuteW / CreateProcessW on Windows). Results are not looked at.
class Launcher {
 public:
  virtual ~Launcher() = default;
  virtual void StartCommandLine(const std::string& command_line) = 0;
  // A web address opens in the browser, a "mailto:" address in the mail program.
  virtual void OpenLink(const std::string& target) = 0;
};

}  // namespace norvaket
