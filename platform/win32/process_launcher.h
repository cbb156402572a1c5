#pragma once

#include <string>

namespace norvaket::win32 {

// Starts a command line with a normal, activated window and does not wait for
// it. False when it could not be started.
bool StartProcess(const std::string& command_line);

}  // namespace norvaket::win32
