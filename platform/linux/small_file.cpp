#include "platform/linux/small_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>

namespace norvaket::linux_platform {

namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  // Closes now, so that a failed close (delayed write errors) can be seen.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = ::write(fd, text.data(), text.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

std::string ResolvedTarget(const std::string& path) {
  struct stat link_status {};
  if (::lstat(path.c_str(), &link_status) != 0 || !S_ISLNK(link_status.st_mode)) return path;
  std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                       &std::free);
  return resolved ? std::string(resolved.get()) : path;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  return path.substr(path.rfind('/') + 1);
}

// The rename is only durable once the folder's entry is on disk too.
void SyncFolder(const std::string& folder) {
  FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() >= 0) ::fsync(fd.get());
}

constexpr std::size_t kTempSuffixLength = 6;  // mkostemp's XXXXXX

std::string TempPattern(const std::string& folder, const std::string& name) {
  return folder + "/." + name + "." + std::string(kTempSuffixLength, 'X');
}

// A replacement killed between creating its temporary file and the rename leaves
// the temporary behind; the next replacement of the same file removes it. Only
// regular files of ours with exactly our temporary name shape go.
void RemoveStaleTemporaries(const std::string& folder, const std::string& name) {
  struct CloseListing {
    void operator()(DIR* listing) const { ::closedir(listing); }
  };
  std::unique_ptr<DIR, CloseListing> listing(::opendir(folder.c_str()));
  if (!listing) return;
  const std::string prefix = "." + name + ".";
  while (const dirent* entry = ::readdir(listing.get())) {
    const std::string_view entry_name(entry->d_name);
    if (entry_name.size() != prefix.size() + kTempSuffixLength ||
        !entry_name.starts_with(prefix)) {
      continue;
    }
    struct stat status {};
    if (::fstatat(::dirfd(listing.get()), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(status.st_mode) && status.st_uid == ::geteuid()) {
      ::unlinkat(::dirfd(listing.get()), entry->d_name, 0);
    }
  }
}

}  // namespace

SmallFile ReadSmallFile(const std::string& path, std::size_t max_bytes) {
  SmallFile file;
  // O_NONBLOCK: opening a FIFO must not wait for a writer.
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (fd.get() < 0) {
    file.status = errno == ENOENT || errno == ENOTDIR ? SmallFile::Status::kMissing
                                                      : SmallFile::Status::kUnusable;
    return file;
  }
  file.status = SmallFile::Status::kUnusable;
  struct stat status {};
  if (::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode) ||
      static_cast<std::size_t>(status.st_size) > max_bytes) {
    return file;
  }
  std::string text;
  char buffer[8192];
  for (;;) {
    const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return file;
    if (got == 0) break;
    text.append(buffer, static_cast<std::size_t>(got));
    if (text.size() > max_bytes) return file;  // grew while being read
  }
  file.status = SmallFile::Status::kRead;
  file.text = std::move(text);
  return file;
}

bool ReplaceFileAtomically(const std::string& path, std::string_view text, mode_t new_file_mode) {
  const std::string target = ResolvedTarget(path);
  const std::string folder = FolderOf(target);
  RemoveStaleTemporaries(folder, NameOf(target));
  std::string temp_path = TempPattern(folder, NameOf(target));
  FileDescriptor fd(::mkostemp(temp_path.data(), O_CLOEXEC));
  if (fd.get() < 0) return false;

  mode_t mode = new_file_mode;
  struct stat old_status {};
  if (::stat(target.c_str(), &old_status) == 0 && S_ISREG(old_status.st_mode)) {
    mode = old_status.st_mode & 07777;
    if (old_status.st_uid != ::geteuid() || old_status.st_gid != ::getegid()) {
      // Only root may give the file away; anyone else keeps owning the new file.
      [[maybe_unused]] const int ignored = ::fchown(fd.get(), old_status.st_uid, old_status.st_gid);
    }
  }
  const bool written = WriteAll(fd.get(), text) && ::fchmod(fd.get(), mode) == 0 &&
                       ::fsync(fd.get()) == 0 && fd.Close() &&
                       ::rename(temp_path.c_str(), target.c_str()) == 0;
  if (!written) {
    ::unlink(temp_path.c_str());
    return false;
  }
  SyncFolder(folder);
  return true;
}

}  // namespace norvaket::linux_platform
