#pragma once

#include <map>
#include <string>

#include "settings/ini_document.h"
#include "settings/profile_store.h"

namespace norvaket::testing {

// INI files held as text by path, read and edited with the real profile rules.
class MemoryProfileStore final : public ProfileStore {
 public:
  std::string GetProfileString(const std::string& section, const std::string& key,
                               const std::string& file_path) override {
    const auto file = files.find(file_path);
    if (file == files.end()) return {};
    return IniDocument(file->second).GetProfileString(section, key);
  }

  bool WriteProfileString(const std::string& section, const std::string& key,
                          const std::string& value, const std::string& file_path) override {
    ++write_calls;
    if (writes_left == 0) return false;
    if (writes_left > 0) --writes_left;
    IniDocument document(files[file_path]);
    if (!document.Set(section, key, value)) return false;
    files[file_path] = document.Text();
    return true;
  }

  std::map<std::string, std::string> files;  // path -> file text
  int writes_left = -1;                      // writes that succeed before all fail; -1 = all
  int write_calls = 0;
};

}  // namespace norvaket::testing
