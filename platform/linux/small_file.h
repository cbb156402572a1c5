#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace norvaket::linux_platform {

// A small file read whole: only a regular file up to `max_bytes` counts. FIFOs,
// devices, folders and oversized files are kUnusable, so a read never blocks or
// swallows a stream.
struct SmallFile {
  enum class Status { kRead, kMissing, kUnusable };
  Status status = Status::kMissing;
  std::string text;
};

SmallFile ReadSmallFile(const std::string& path, std::size_t max_bytes);

// Replaces the file with `text` so that it is always either the old or the new file,
// whole: a temporary file in the same folder is written, flushed to disk and renamed
// over it. An existing file keeps its permissions (and owner, where allowed); a new one
// gets `new_file_mode`. A symbolic link is followed and the file it names is replaced.
// Temporary files that an earlier replacement of the same file left behind (it was
// killed before its rename) are removed first.
bool ReplaceFileAtomically(const std::string& path, std::string_view text, mode_t new_file_mode);

}  // namespace norvaket::linux_platform
