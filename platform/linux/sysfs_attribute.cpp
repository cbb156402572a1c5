#include "platform/linux/sysfs_attribute.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>

namespace norvaket::linux_platform {
namespace {

// O_NONBLOCK: a FIFO planted in a tree must not hang the tick on open.
constexpr int kOpenFlags = O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;

std::string_view TrimTrailingSpace(const char* data, std::size_t length) {
  while (length > 0 && (data[length - 1] == '\n' || data[length - 1] == ' ' ||
                        data[length - 1] == '\t' || data[length - 1] == '\r')) {
    --length;
  }
  return {data, length};
}

ReadResult ReadInto(int fd, char (&buffer)[64], std::string_view& text) {
  if (fd < 0) return ReadResult::Unreadable;
  ssize_t length;
  do {
    length = ::pread(fd, buffer, sizeof buffer, 0);
  } while (length < 0 && errno == EINTR);
  if (length < 0) {
    return errno == ENODEV || errno == ENOENT ? ReadResult::Vanished : ReadResult::Failed;
  }
  // A value that fills the whole buffer is longer than any real attribute.
  if (static_cast<std::size_t>(length) == sizeof buffer) return ReadResult::Unreadable;
  text = TrimTrailingSpace(buffer, static_cast<std::size_t>(length));
  return ReadResult::Ok;
}

}  // namespace

SysfsAttribute::SysfsAttribute(int folder_fd, const char* name)
    : fd_(::openat(folder_fd, name, kOpenFlags)) {}

ReadResult SysfsAttribute::ReadText(std::string_view& text) {
  return ReadInto(fd_.Get(), buffer_, text);
}

ReadResult SysfsAttribute::ReadInteger(std::int64_t& value) {
  std::string_view text;
  const ReadResult result = ReadText(text);
  if (result != ReadResult::Ok) return result;
  const std::optional<std::int64_t> parsed = ParseInteger(text);
  if (!parsed) return ReadResult::Unreadable;
  value = *parsed;
  return ReadResult::Ok;
}

std::optional<std::string_view> ReadAttributeOnce(int folder_fd, const char* name,
                                                  char (&buffer)[64]) {
  const UniqueFd fd(::openat(folder_fd, name, kOpenFlags));
  std::string_view text;
  if (ReadInto(fd.Get(), buffer, text) != ReadResult::Ok) return std::nullopt;
  return text;
}

std::optional<std::int64_t> ParseInteger(std::string_view text) {
  std::int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc{} || stop != end || text.empty()) return std::nullopt;
  return value;
}

}  // namespace norvaket::linux_platform
