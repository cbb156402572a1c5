#pragma once

#include <list>
#include <string>

#include "settings/profile_store.h"

namespace norvaket {

// The batch bookkeeping of a profile store that writes into a copy of each file and
// puts the copy in the file's place, whole, when the batch is committed. The platform
// gives the copy, a class with:
//   explicit Copy(const std::string& path)  makes the copy (of nothing, when there is no file);
//   bool Set(section, key, value)           writes one key into the copy;
//   bool Replace()                          puts the copy in the file's place in one step;
//   ~Copy()                                 drops whatever is left of the copy.
// A store whose reads go through the batch (so that a batch reads each file once) adds
// `std::string Get(section, key) const` to its copy and reads with ReadThroughBatch.
template <class Copy>
class StagedProfileStore : public ProfileStore {
 public:
  // Outside a batch the write is a batch of its own.
  bool WriteProfileString(const std::string& section, const std::string& key,
                          const std::string& value, const std::string& file_path) final {
    const bool own_batch = !in_batch_;
    if (own_batch) BeginBatch();
    StagedFile& file = Stage(file_path);
    const bool written = file.copy.Set(section, key, value);
    file.changed = true;
    file.intact = file.intact && written;
    return own_batch ? CommitBatch() : written;
  }

  void BeginBatch() final {
    DiscardBatch();
    in_batch_ = true;
  }

  // Nothing is replaced unless every write of the batch went in; then every changed file
  // is tried, even after one of them failed.
  bool CommitBatch() final {
    bool replaced = AllIntact();
    if (replaced) {
      for (StagedFile& file : staged_) {
        if (file.changed) replaced = file.copy.Replace() && replaced;
      }
    }
    DiscardBatch();
    return replaced;
  }

  void DiscardBatch() final {
    staged_.clear();
    in_batch_ = false;
  }

 protected:
  // Inside a batch from the batch's copy, which holds the batch's writes; outside, from
  // a copy made for this one read.
  std::string ReadThroughBatch(const std::string& section, const std::string& key,
                               const std::string& file_path) {
    if (!in_batch_) return Copy(file_path).Get(section, key);
    return Stage(file_path).copy.Get(section, key);
  }

 private:
  struct StagedFile {
    explicit StagedFile(const std::string& file_path) : path(file_path), copy(file_path) {}
    std::string path;
    Copy copy;
    bool changed = false;
    bool intact = true;  // every write into the copy succeeded
  };

  // The batch's copy of the file, made on first use.
  StagedFile& Stage(const std::string& file_path) {
    for (StagedFile& file : staged_) {
      if (file.path == file_path) return file;
    }
    return staged_.emplace_back(file_path);
  }

  bool AllIntact() const {
    for (const StagedFile& file : staged_) {
      if (!file.intact) return false;
    }
    return true;
  }

  bool in_batch_ = false;
  std::list<StagedFile> staged_;  // a list: a copy never moves once made
};

}  // namespace norvaket
