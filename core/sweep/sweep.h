// The shared sweep: what every cleanup of the program uses to count and
// delete files, so that each safety rule exists once. It holds the flat
// pass over one search pattern (PatternSweep) with the hooks the cleanups
// differ in, the rule for names a listing gives that cannot be used as
// they are (SafeName), and the small path and number helpers the cleanups
// share. The folder walk is in walk.h, the rule for folders that must never
// be emptied in guard.h, the drive scan's records in scanrecords.h.
//
// It decides nothing about which places are junk: the cleanups name the
// patterns, and the guard judges the folders they take from outside.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/filesystem.h"

namespace sweep {

// Plain decimal, for the figures in summary lines and result texts.
std::string Num(int64_t n);

// Whether a path names a place by itself: "X:\..." or "\\server\...". A
// relative path ("a\b", "\a", "C:a") would resolve against a current
// folder.
bool IsAbsolutePath(std::string_view path);

// Folder part of a pattern, up to and including its last "\", "/" or ":";
// empty for a bare name.
std::string PatternFolder(std::string_view pattern);

// The name to act on for an entry a listing gave: its own name, or its 8.3
// name when the long one holds "*" or "?" (an 8-bit listing shows a name
// outside its code page that way, and a delete or the Recycle Bin would
// take it as a wildcard); nullopt when neither can be used safely.
std::optional<std::string> SafeName(const platform::FindData& entry);

// A file count and a byte total.
struct Tally {
  int64_t count = 0;
  int64_t bytes = 0;
  void Add(uint64_t size) {
    ++count;
    bytes += static_cast<int64_t>(size);
  }
  Tally& operator+=(const Tally& other) {
    count += other.count;
    bytes += other.bytes;
    return *this;
  }
};

enum class Mode { kCount, kDelete };

// One pass over the entries a search pattern lists, sub-folders not
// entered. Both modes count every entry ("." and ".." aside) into `found`,
// folders included; deleting also removes each file (never a folder) and
// adds what went to `deleted`. Counting and deleting share this one loop,
// so what a survey counted and what its cleanup removes cannot drift
// apart. The hooks are where cleanups differ; each may stay empty.
class PatternSweep {
 public:
  explicit PatternSweep(platform::FileSystem& fs) : fs_(fs) {}

  // Whether an entry is left out of `found` (it may still be deleted).
  std::function<bool(const platform::FindData&)> Uncounted;
  // Whether the deleting pass leaves a file alone.
  std::function<bool(const platform::FindData&)> Spared;
  // Runs with the full path just before a file is deleted (wiping).
  std::function<void(const std::string& path)> BeforeDelete;
  // A file the deleting pass did not remove: `path` is what the delete
  // failed on, empty when the entry had no safe name (see SafeName).
  std::function<void(const platform::FindData&, const std::string& path)> NotDeleted;

  Tally found;
  Tally deleted;

  // Lists `pattern` once. Files are deleted by their name in `folder`
  // (which ends in a backslash). A blank pattern lists nothing. Returns
  // what the mode is about: `found` when counting, `deleted` when deleting.
  const Tally& Run(std::string_view pattern, std::string_view folder, Mode mode);

 private:
  void Delete(const platform::FindData& entry, std::string_view folder);

  platform::FileSystem& fs_;
};

}  // namespace sweep
