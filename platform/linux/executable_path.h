#pragma once

#include <string>

namespace norvaket::linux_platform {

// The running program's own file, from /proc/self/exe; empty when it cannot be read.
std::string ExecutablePath();

}  // namespace norvaket::linux_platform

namespace norvaket::linux_platform {

// The folder that holds the running program's file; empty when it cannot be read.
std::string ExecutableFolder();

}  // namespace norvaket::linux_platform
