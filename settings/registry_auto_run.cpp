#include "settings/registry_auto_run.h"

#include "settings/registry_layer.h"

namespace norvaket {

std::string AutoRunCommand(const std::string& program_path) {
  if (program_path.find_first_of(" \t") == std::string::npos) return program_path;
  return "\"" + program_path + "\"";
}

std::string ProgramPathWithoutExtension(const std::string& folder, const std::string& separator,
                                        const std::string& file_name) {
  const std::size_t dot = file_name.rfind('.');
  const std::string stem =
      dot == std::string::npos || dot == 0 ? file_name : file_name.substr(0, dot);
  return folder + separator + stem;
}

void RegistryAutoRun::EnableAutoRun() {
  SetRegistryValue(registry_, kHkeyCurrentUser, kRunKeyPath, kAutoRunValueName,
                   AutoRunCommand(program_path_));
}

void RegistryAutoRun::DisableAutoRun() {
  DeleteRegistryValue(registry_, kHkeyCurrentUser, kRunKeyPath, kAutoRunValueName);
}

void RegistryAutoRun::QueryAutoRun(Settings& settings) {
  const RegistryValue value =
      GetRegistryValue(registry_, kHkeyCurrentUser, kRunKeyPath, kAutoRunValueName, std::string());
  settings.AutoRun = ToFlag(!RegistryValueText(value).empty());
}

}  // namespace norvaket
