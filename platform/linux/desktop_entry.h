#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace norvaket::linux_platform {

// The Exec value of a desktop entry for these arguments, quoted and escaped by the
// Desktop Entry rules as it is written in the file. Nothing for an argument with
// control characters, which no Exec line can carry safely.
std::optional<std::string> DesktopExecValue(const std::vector<std::string>& args);

// The arguments of an Exec value as it stands in the file; nothing when its quoting
// is broken.
std::optional<std::vector<std::string>> ParseDesktopExecValue(std::string_view value);

// What an autostart entry says about the program's start at logon.
struct AutostartEntry {
  bool hidden = false;              // Hidden=true: the entry counts as deleted
  std::optional<std::string> exec;  // the Exec value as it stands in the file
};

// Reads the [Desktop Entry] group of a desktop file.
AutostartEntry ParseAutostartEntry(std::string_view text);

// A complete, valid desktop entry that starts `exec_value` at logon.
std::string AutostartEntryText(std::string_view name, std::string_view exec_value);

}  // namespace norvaket::linux_platform
