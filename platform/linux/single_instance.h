#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace norvaket::linux_platform {

// A folder that may hold the lock file, and how far it may be trusted.
struct LockPlace {
  enum class Folder {
    kAsIs,          // used only when it is there
    kCreate,        // made (0700) when missing
    kCreatePrivate  // made (0700) when missing; used only while ours and closed to others
  };
  std::string folder;
  Folder rule = Folder::kAsIs;
};

// Holds an exclusive flock on a lock file for as long as it lives. The kernel
// drops the lock when the process ends, however it ends, so a crashed instance
// never blocks the next start.
//
// The places are tried in order; the first where a lock file can be opened and
// locked decides, so every start with the same environment meets at the same file.
class SingleInstanceLock {
 public:
  explicit SingleInstanceLock(const std::vector<LockPlace>& places);
  ~SingleInstanceLock();
  SingleInstanceLock(const SingleInstanceLock&) = delete;
  SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

  // False when another instance holds the lock.
  bool Acquired() const { return acquired_; }
  // No place could hold a lock file at all: the program runs unguarded rather
  // than refusing to start.
  bool Unguarded() const { return fd_ < 0 && acquired_; }
  // The lock file decided on; empty when unguarded.
  const std::string& Path() const { return path_; }

 private:
  enum class Outcome { kAcquired, kHeldElsewhere, kUnusable };
  Outcome TryPlace(const LockPlace& place);

  int fd_ = -1;
  bool acquired_ = false;
  std::string path_;
};

// $XDG_RUNTIME_DIR, then $XDG_CACHE_HOME (or ~/.cache), then <temp>/norvaket-<uid>.
std::vector<LockPlace> LockPlacesFor(const char* runtime_dir, const char* cache_home,
                                     const char* home, const std::string& temp_folder, uid_t uid);
// The places for this process's environment, with /tmp as the temporary folder.
std::vector<LockPlace> DefaultLockPlaces();

}  // namespace norvaket::linux_platform
