#include "platform/linux/ini_file_store.h"

#include "platform/linux/small_file.h"

namespace norvaket::linux_platform {

IniFileStore::OpenFile& IniFileStore::Open(const std::string& path) {
  for (OpenFile& file : files_) {
    if (file.path == path) return file;
  }
  const SmallFile read = ReadSmallFile(path, kMaxFileBytes);
  OpenFile& file = files_.emplace_back();
  file.path = path;
  file.readable = read.status != SmallFile::Status::kUnusable;
  file.document = IniDocument(read.text);
  return file;
}

std::string IniFileStore::GetProfileString(const std::string& section, const std::string& key,
                                           const std::string& file_path) {
  const bool own_batch = !in_batch_;
  if (own_batch) BeginBatch();
  const std::string value = Open(file_path).document.GetProfileString(section, key);
  if (own_batch) DiscardBatch();
  return value;
}

bool IniFileStore::WriteProfileString(const std::string& section, const std::string& key,
                                      const std::string& value, const std::string& file_path) {
  const bool own_batch = !in_batch_;
  if (own_batch) BeginBatch();
  OpenFile& file = Open(file_path);
  const bool written = file.readable && file.document.Set(section, key, value);
  file.changed = true;
  file.intact = file.intact && written;
  if (own_batch) return CommitBatch();
  return written;
}

void IniFileStore::BeginBatch() {
  DiscardBatch();
  in_batch_ = true;
}

bool IniFileStore::CommitBatch() {
  bool all_intact = true;
  for (const OpenFile& file : files_) all_intact = all_intact && file.intact;
  bool replaced = all_intact;
  if (all_intact) {
    for (const OpenFile& file : files_) {
      if (file.changed) {
        replaced = ReplaceFileAtomically(file.path, file.document.Text(), 0600) && replaced;
      }
    }
  }
  DiscardBatch();
  return replaced;
}

void IniFileStore::DiscardBatch() {
  files_.clear();
  in_batch_ = false;
}

}  // namespace norvaket::linux_platform
