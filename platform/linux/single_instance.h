#pragma once

#include <string>

namespace norvaket::linux_platform {

// Holds an exclusive flock on a lock file for as long as it lives. The kernel
// drops the lock when the process ends, however it ends, so a crashed instance
// never blocks the next start.
class SingleInstanceLock {
 public:
  explicit SingleInstanceLock(const std::string& lock_path);
  ~SingleInstanceLock();
  SingleInstanceLock(const SingleInstanceLock&) = delete;
  SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

  // False when another instance holds the lock. When the lock file cannot be
  // opened at all the program runs rather than refusing to start.
  bool Acquired() const { return acquired_; }

 private:
  int fd_ = -1;
  bool acquired_ = false;
};

// $XDG_RUNTIME_DIR/norvaket.lock, or a per-user name in /tmp without it.
std::string DefaultLockPath();

}  // namespace norvaket::linux_platform
