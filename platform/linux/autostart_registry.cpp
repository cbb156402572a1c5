#include "platform/linux/autostart_registry.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/linux/desktop_entry.h"
#include "platform/linux/small_file.h"
#include "platform/linux/xdg_config_home.h"
#include "resources/version_info.h"
#include "settings/ini_text.h"
#include "settings/registry_auto_run.h"
#include "settings/registry_value.h"

namespace norvaket::linux_platform {

namespace {

constexpr std::size_t kMaxEntryBytes = 64 * 1024;

// The Run value holds a Windows-style command line: arguments split at blanks, a
// double-quoted stretch kept whole.
std::vector<std::string> SplitCommandLine(std::string_view command) {
  std::vector<std::string> args;
  std::string current;
  bool in_argument = false;
  bool quoted = false;
  for (const char c : command) {
    if (c == '"') {
      quoted = !quoted;
      in_argument = true;
    } else if (!quoted && IsBlank(c)) {
      if (in_argument) args.push_back(std::move(current));
      current.clear();
      in_argument = false;
    } else {
      current += c;
      in_argument = true;
    }
  }
  if (in_argument) args.push_back(std::move(current));
  return args;
}

std::string JoinCommandLine(const std::vector<std::string>& args) {
  std::string command;
  for (const std::string& arg : args) {
    if (!command.empty()) command += ' ';
    command += arg.empty() ? "\"\"" : AutoRunCommand(arg);
  }
  return command;
}

bool MakeFolder(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) == 0) return S_ISDIR(status.st_mode);
  return ::mkdir(path.c_str(), 0700) == 0;
}

}  // namespace

AutostartRegistry::AutostartRegistry(std::string config_home, std::string entry_name)
    : config_home_(std::move(config_home)), entry_name_(std::move(entry_name)) {}

AutostartRegistry AutostartRegistry::FromEnvironment() {
  return AutostartRegistry(XdgConfigHomeFromEnvironment(), version::kTitle);
}

std::string AutostartRegistry::EntryPath() const {
  return config_home_ + "/autostart/" + kAutoRunValueName + ".desktop";
}

bool AutostartRegistry::IsRunKey(RegistryKey root, const std::string& path) const {
  return root == kHkeyCurrentUser && EqualsIgnoringCase(path, kRunKeyPath);
}

RegistryResult AutostartRegistry::OpenKey(RegistryKey root, const std::string& path,
                                          RegistryKey& key) {
  if (!IsRunKey(root, path)) return kFileNotFound;
  key = next_key_++;
  open_keys_[key] = true;
  return kRegistrySuccess;
}

RegistryResult AutostartRegistry::CreateKey(RegistryKey root, const std::string& path,
                                            RegistryKey& key) {
  if (!IsRunKey(root, path)) return kAccessDenied;
  return OpenKey(root, path, key);
}

RegistryResult AutostartRegistry::CheckValue(RegistryKey key, const std::string& name) const {
  if (!open_keys_.contains(key)) return kInvalidHandle;
  if (!EqualsIgnoringCase(name, kAutoRunValueName) || config_home_.empty()) return kFileNotFound;
  return kRegistrySuccess;
}

RegistryResult AutostartRegistry::QueryValue(RegistryKey key, const std::string& name,
                                             std::uint32_t& type, std::vector<std::uint8_t>& data) {
  if (const RegistryResult checked = CheckValue(key, name); checked != kRegistrySuccess) {
    return checked;
  }
  const SmallFile file = ReadSmallFile(EntryPath(), kMaxEntryBytes);
  if (file.status != SmallFile::Status::kRead) return kFileNotFound;
  const AutostartEntry entry = ParseAutostartEntry(file.text);
  if (entry.hidden || !entry.exec) return kFileNotFound;
  const auto args = ParseDesktopExecValue(*entry.exec);
  if (!args) return kFileNotFound;
  const std::string command = JoinCommandLine(*args);
  type = kRegSz;
  data.assign(command.begin(), command.end());
  data.push_back(0);
  return kRegistrySuccess;
}

bool AutostartRegistry::MakeAutostartFolder() const {
  return MakeFolder(config_home_) && MakeFolder(config_home_ + "/autostart");
}

RegistryResult AutostartRegistry::SetValue(RegistryKey key, const std::string& name,
                                           std::uint32_t type,
                                           const std::vector<std::uint8_t>& data) {
  if (const RegistryResult checked = CheckValue(key, name); checked != kRegistrySuccess) {
    return checked == kFileNotFound ? kAccessDenied : checked;
  }
  if (type != kRegSz) return kInvalidParameter;
  const std::vector<std::string> args =
      SplitCommandLine(TrimAtNul(std::string(data.begin(), data.end())));
  if (args.empty() || args.front().empty()) return kInvalidParameter;
  const std::optional<std::string> exec = DesktopExecValue(args);
  if (!exec) return kInvalidParameter;
  if (!MakeAutostartFolder()) return kAccessDenied;
  if (!ReplaceFileAtomically(EntryPath(), AutostartEntryText(entry_name_, *exec), 0644)) {
    return kAccessDenied;
  }
  return kRegistrySuccess;
}

RegistryResult AutostartRegistry::DeleteValue(RegistryKey key, const std::string& name) {
  if (const RegistryResult checked = CheckValue(key, name); checked != kRegistrySuccess) {
    return checked;
  }
  if (::unlink(EntryPath().c_str()) == 0) return kRegistrySuccess;
  return errno == ENOENT ? kFileNotFound : kAccessDenied;
}

RegistryResult AutostartRegistry::CloseKey(RegistryKey key) {
  return open_keys_.erase(key) == 1 ? kRegistrySuccess : kInvalidHandle;
}

}  // namespace norvaket::linux_platform
