#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/linux/unique_fd.h"

namespace norvaket::linux_platform {

// What one read of a sysfs attribute gave.
enum class ReadResult {
  Ok,
  Unreadable,  // missing, not a file, garbage: the value is simply not known
  Failed,      // the read itself failed: not known now, and the supply may be going
  Vanished,    // the supply's folder went away (ENODEV/ENOENT): the listing is stale
};

// One attribute file of a power supply, kept open so that a tick costs one
// pread per value. sysfs renders the value afresh on every read from offset 0.
class SysfsAttribute {
 public:
  SysfsAttribute() = default;
  // Opens `name` inside the open folder `folder_fd`; an attribute that cannot be
  // opened stays closed and reads as unreadable.
  SysfsAttribute(int folder_fd, const char* name);

  bool Exists() const { return fd_.Valid(); }

  // The text with trailing white space removed; valid until the next read.
  ReadResult ReadText(std::string_view& text);
  // A whole decimal number, possibly negative.
  ReadResult ReadInteger(std::int64_t& value);

 private:
  UniqueFd fd_;
  char buffer_[64] = {};
};

// Reads one small attribute once by path, for values that never change (type, scope).
std::optional<std::string_view> ReadAttributeOnce(int folder_fd, const char* name, char (&buffer)[64]);

// A decimal number with nothing after it but white space; nothing otherwise.
std::optional<std::int64_t> ParseInteger(std::string_view text);

}  // namespace norvaket::linux_platform
