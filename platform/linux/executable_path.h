#pragma once

#include <string>

namespace norvaket::linux_platform {

// The running program's own file, from /proc/self/exe; empty when it cannot be read.
std::string ExecutablePath();

}  // namespace norvaket::linux_platform
