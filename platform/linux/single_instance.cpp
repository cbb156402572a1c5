#include "platform/linux/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace norvaket::linux_platform {
namespace {

constexpr const char* kLockFileName = "/norvaket.lock";

bool IsAbsolute(const char* path) {
  return path != nullptr && path[0] == '/';
}

// A folder in a place others can write to (the temporary folder) is trusted only
// when it is a real folder of ours that nobody else may enter.
bool IsPrivateFolder(const std::string& folder) {
  struct stat status {};
  return ::lstat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
         status.st_uid == ::geteuid() && (status.st_mode & 077) == 0;
}

}  // namespace

SingleInstanceLock::SingleInstanceLock(const std::vector<LockPlace>& places) {
  for (const LockPlace& place : places) {
    switch (TryPlace(place)) {
      case Outcome::kAcquired:
        acquired_ = true;
        return;
      case Outcome::kHeldElsewhere:
        return;
      case Outcome::kUnusable:
        break;
    }
  }
  acquired_ = true;
}

SingleInstanceLock::~SingleInstanceLock() {
  if (fd_ >= 0) ::close(fd_);
}

SingleInstanceLock::Outcome SingleInstanceLock::TryPlace(const LockPlace& place) {
  if (place.rule != LockPlace::Folder::kAsIs) ::mkdir(place.folder.c_str(), 0700);
  if (place.rule == LockPlace::Folder::kCreatePrivate && !IsPrivateFolder(place.folder)) {
    return Outcome::kUnusable;
  }
  const std::string path = place.folder + kLockFileName;
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return Outcome::kUnusable;
  int result;
  do {
    result = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  if (result != 0) {
    const bool held = errno == EWOULDBLOCK;
    ::close(fd);
    // A file system without locks cannot guard anything: the next place may.
    if (!held) return Outcome::kUnusable;
    path_ = path;
    return Outcome::kHeldElsewhere;
  }
  fd_ = fd;
  path_ = path;
  return Outcome::kAcquired;
}

std::vector<LockPlace> LockPlacesFor(const char* runtime_dir, const char* cache_home,
                                     const char* home, const std::string& temp_folder, uid_t uid) {
  std::vector<LockPlace> places;
  if (IsAbsolute(runtime_dir)) places.push_back({runtime_dir, LockPlace::Folder::kAsIs});
  if (IsAbsolute(cache_home)) {
    places.push_back({cache_home, LockPlace::Folder::kCreate});
  } else if (IsAbsolute(home)) {
    places.push_back({std::string(home) + "/.cache", LockPlace::Folder::kCreate});
  }
  places.push_back(
      {temp_folder + "/norvaket-" + std::to_string(uid), LockPlace::Folder::kCreatePrivate});
  return places;
}

std::vector<LockPlace> DefaultLockPlaces() {
  return LockPlacesFor(std::getenv("XDG_RUNTIME_DIR"), std::getenv("XDG_CACHE_HOME"),
                       std::getenv("HOME"), "/tmp", ::getuid());
}

}  // namespace norvaket::linux_platform
