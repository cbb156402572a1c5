#include "platform/linux/executable_path.h"

#include <unistd.h>

#include <climits>
#include <vector>

namespace norvaket::linux_platform {

std::string ExecutablePath() {
  std::vector<char> buffer(PATH_MAX);
  for (;;) {
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return {};
    // readlink does not say when it cut the path short, only that it filled the buffer.
    if (static_cast<std::size_t>(length) < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace norvaket::linux_platform

namespace norvaket::linux_platform {

std::string ExecutableFolder() {
  const std::string path = ExecutablePath();
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {};
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace norvaket::linux_platform
