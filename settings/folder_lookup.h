#pragma once

#include <cstdint>
#include <string>

namespace norvaket {

// Folder numbers and results of the special-folder query, as SHGetFolderPath has them.
inline constexpr std::int32_t kCsidlAppData = 26;
inline constexpr std::int32_t kCsidlFlagCreate = 0x8000;
inline constexpr std::int32_t kFolderFound = 0;     // S_OK
inline constexpr std::int32_t kFolderNotThere = 1;  // S_FALSE
inline constexpr std::int32_t kFolderBadId =
    static_cast<std::int32_t>(0x80070057u);  // E_INVALIDARG

// Where the settings file lives and how to make its folder.
class FolderLookup {
 public:
  virtual ~FolderLookup() = default;
  // Fills `path` and returns kFolderFound, or returns kFolderNotThere, kFolderBadId or
  // any other failure number. `folder_id` may carry kCsidlFlagCreate.
  virtual std::int32_t GetFolderPath(std::int32_t folder_id, std::string& path) = 0;
  // The folder that holds the program's executable file.
  virtual std::string ExecutableFolder() = 0;
  // True when a file or folder of that name exists.
  virtual bool Exists(const std::string& path) = 0;
  // Creates one folder; its parent must exist.
  virtual bool CreateFolder(const std::string& path) = 0;
  // "\" on Windows, "/" elsewhere.
  virtual std::string PathSeparator() = 0;
};

}  // namespace norvaket
