#pragma once

#include <string>

namespace norvaket {

// One key of one section of an INI file, with the semantics of the Windows
// profile functions (GetPrivateProfileStringW / WritePrivateProfileStringW).
class ProfileStore {
 public:
  virtual ~ProfileStore() = default;
  // The key's value, cut to fit a 100-byte buffer with its NUL (at most 99 bytes,
  // never inside a character); empty when the file, section or key is missing.
  // Never creates anything.
  virtual std::string GetProfileString(const std::string& section, const std::string& key,
                                       const std::string& file_path) = 0;
  // Replaces the key's value in place or adds it at the end of its section (the
  // section at the end of the file when missing); creates the file when missing
  // (its folder must exist). False when the file could not be written.
  virtual bool WriteProfileString(const std::string& section, const std::string& key,
                                  const std::string& value, const std::string& file_path) = 0;

  // A batch groups the calls of one load or one save of a whole record. Inside it a
  // store may read each file once, and keeps every write to a file for one replacement
  // of the whole file at CommitBatch, so that a crash leaves the old file or the new
  // one, never a mix. Outside a batch each call stands alone. By default a batch
  // changes nothing.
  virtual void BeginBatch() {}
  // Writes what the batch changed; false, and every file left as it was, when any
  // write of the batch or any replacement failed.
  virtual bool CommitBatch() { return true; }
  // Drops what the batch changed; the files stay as they were.
  virtual void DiscardBatch() {}
};

}  // namespace norvaket
