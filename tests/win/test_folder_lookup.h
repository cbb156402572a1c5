#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "platform/win32/win32_folder_lookup.h"

namespace norvaket::win32::testing {

// The real folder calls, with a test folder in place of the user's
// application-data folder.
class TestFolderLookup final : public FolderLookup {
 public:
  explicit TestFolderLookup(std::string app_data) : app_data_(std::move(app_data)) {}
  std::int32_t GetFolderPath(std::int32_t, std::string& path) override {
    path = app_data_;
    return kFolderFound;
  }
  std::string ExecutableFolder() override { return real_.ExecutableFolder(); }
  bool Exists(const std::string& path) override { return real_.Exists(path); }
  bool CreateFolder(const std::string& path) override { return real_.CreateFolder(path); }
  std::string PathSeparator() override { return real_.PathSeparator(); }

 private:
  std::string app_data_;
  Win32FolderLookup real_;
};

}  // namespace norvaket::win32::testing
