#pragma once

#include <optional>
#include <string>
#include <vector>

struct xcb_connection_t;

namespace norvaket::qt {

// The display Qt is about to open, looked for before Qt starts: where its platform
// finds none, Qt aborts with a core dump. A platform the user chose that needs no
// display (-platform or QT_QPA_PLATFORM: offscreen, vnc, ...) is not looked for.
// An X display found stays open until Release(), once Qt has its own connection:
// an X server whose last client leaves resets, and would refuse Qt meanwhile.
class DesktopSession final {
 public:
  explicit DesktopSession(const std::vector<std::string>& args);
  ~DesktopSession();
  DesktopSession(const DesktopSession&) = delete;
  DesktopSession& operator=(const DesktopSession&) = delete;

  // The one line to print when no display could be opened, naming what was looked for.
  const std::optional<std::string>& Missing() const { return missing_; }
  void Release();

 private:
  xcb_connection_t* x_connection_ = nullptr;
  std::optional<std::string> missing_;
};

}  // namespace norvaket::qt
