#pragma once

#include <optional>
#include <string>
#include <vector>

namespace norvaket::qt {

// Looks for the display Qt would open, before Qt is started: where its platform
// finds none, Qt aborts with a core dump. Returns the one line to print when no
// display can be opened, naming what was looked for; nothing when one answers or
// when the user chose a platform that needs none (-platform or QT_QPA_PLATFORM:
// offscreen, vnc, ...).
std::optional<std::string> MissingDesktopSession(const std::vector<std::string>& args);

}  // namespace norvaket::qt
