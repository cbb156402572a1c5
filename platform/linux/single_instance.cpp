#include "platform/linux/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace norvaket::linux_platform {

SingleInstanceLock::SingleInstanceLock(const std::string& lock_path) {
  fd_ = open(lock_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd_ < 0) {
    acquired_ = true;
    return;
  }
  int result;
  do {
    result = flock(fd_, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  acquired_ = result == 0 || errno != EWOULDBLOCK;
}

SingleInstanceLock::~SingleInstanceLock() {
  if (fd_ >= 0) close(fd_);
}

std::string DefaultLockPath() {
  const char* runtime_dir = std::getenv("XDG_RUNTIME_DIR");
  if (runtime_dir != nullptr && runtime_dir[0] == '/') return std::string(runtime_dir) + "/norvaket.lock";
  return "/tmp/norvaket-" + std::to_string(getuid()) + ".lock";
}

}  // namespace norvaket::linux_platform
