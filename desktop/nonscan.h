// The scan passes of the non-internet cleanups: a flat pass over one search
// pattern and a tree pass over a temp folder, each counting or deleting,
// with the running counters every routine resets before it starts and the
// numbered temp listing the view toggle shows. Counting and deleting share
// one walker per pass, so what a survey counts and what a cleanup removes
// cannot drift apart. Byte figures are 64-bit sums of the entry sizes.
//
// The flat pass is the shared PatternSweep and the tree pass the shared
// folder walk, with the shared rule for names holding "*" or "?"; kept
// here: a reparse point is never recycled.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/filesystem.h"
#include "platform/shell.h"

namespace desktop {

class NonScanner {
 public:
  // Entries the temp listing keeps; counting goes on past it.
  static constexpr int64_t kTempListingSize = 50000;

  NonScanner(platform::FileSystem& fs, platform::Shell& shell) : fs_(fs), shell_(shell) {}

  // The running counters of the current routine.
  int64_t found_count = 0;
  int64_t found_bytes = 0;
  int64_t deleted_count = 0;
  int64_t deleted_bytes = 0;
  void ResetCounters() { found_count = found_bytes = deleted_count = deleted_bytes = 0; }

  // One pass over `pattern` (a folder plus a wildcard name), sub-folders
  // not entered. Deleting removes the files for good; folders are counted
  // and stay.
  void ScanFolder(const std::string& pattern, bool del);
  // A pass over `folder` (ending in a backslash) and, when counting, every
  // matching sub-folder below it; `mask` applies at every level. Deleting
  // sends each entry to the Recycle Bin, a folder with all its contents.
  // Every entry found is numbered into the temp listing.
  void ScanTree(const std::string& mask, const std::string& folder, bool del);
  // Sends one file or folder to the Recycle Bin; true on success. Refuses
  // names with wildcards and reparse points.
  bool RecycleFile(const std::string& path);

  // Entry n (from 1) of the temp listing; empty when not stored.
  std::string TempEntry(int64_t n) const;
  int64_t TempStored() const { return static_cast<int64_t>(temp_listing_.size()); }

 private:
  void Remember(const std::string& path);

  platform::FileSystem& fs_;
  platform::Shell& shell_;
  std::vector<std::string> temp_listing_;
};

}  // namespace desktop
