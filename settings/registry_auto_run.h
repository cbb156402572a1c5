#pragma once

#include <string>

#include "settings/autorun.h"
#include "settings/registry_api.h"

namespace norvaket {

inline constexpr const char* kRunKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kAutoRunValueName = "Norvaket";

// The Run value's text for a program path: in double quotes when the path holds a
// blank, so that no program named like the path's first word can start in its place.
std::string AutoRunCommand(const std::string& program_path);

// Folder, separator and file name without its extension, joined as they come: a
// folder that already ends with the separator gives two in a row.
std::string ProgramPathWithoutExtension(const std::string& folder, const std::string& separator,
                                        const std::string& file_name);

// Start at logon through the value "Norvaket" under HKCU's Run key.
class RegistryAutoRun final : public AutoRunRegistration {
 public:
  // `program_path` is what starts the program: on Windows its path without extension.
  RegistryAutoRun(RegistryApi& registry, std::string program_path)
      : registry_(registry), program_path_(std::move(program_path)) {}

  // Both drop the registry's success flag: the next QueryAutoRun shows the real state.
  void EnableAutoRun() override;
  void DisableAutoRun() override;
  // Any non-empty value counts as registered, wherever it points.
  void QueryAutoRun(Settings& settings) override;

 private:
  RegistryApi& registry_;
  std::string program_path_;
};

}  // namespace norvaket
