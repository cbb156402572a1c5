#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "settings/folder_lookup.h"

namespace norvaket::testing {

// A Windows-like folder lookup: the query gives `result` and `path`, folders exist
// when listed in `existing`, and creating one needs its parent to exist.
class FakeFolderLookup final : public FolderLookup {
 public:
  std::int32_t GetFolderPath(std::int32_t folder_id, std::string& folder_path) override {
    queried_ids.push_back(folder_id);
    if (result == kFolderFound) folder_path = path;
    return result;
  }
  std::string ExecutableFolder() override { return executable_folder; }
  bool Exists(const std::string& folder) override { return existing.contains(folder); }
  bool CreateFolder(const std::string& folder) override {
    created.push_back(folder);
    const std::size_t last = folder.rfind(separator);
    const std::string parent = last == std::string::npos ? "" : folder.substr(0, last);
    if (!parent.empty() && !existing.contains(parent)) return false;
    existing.insert(folder);
    return true;
  }
  std::string PathSeparator() override { return separator; }

  std::int32_t result = kFolderFound;
  std::string path = "C:\\Users\\ami\\AppData\\Roaming";
  std::string executable_folder = "C:\\Tools";
  std::string separator = "\\";
  std::set<std::string> existing{"C:\\Users\\ami\\AppData\\Roaming"};
  std::vector<std::int32_t> queried_ids;
  std::vector<std::string> created;
};

}  // namespace norvaket::testing
