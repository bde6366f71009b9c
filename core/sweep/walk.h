// A depth-first folder walk in listing order, with one open listing per
// level on an explicit stack instead of recursion. Each folder is listed
// once; the visitor decides per entry whether to enter a sub-folder and can
// stop the whole walk. The walk itself never enters a reparse point
// (junction, directory symbolic link, mounted volume): such links can form
// loops or lead outside the tree being walked. "." and ".." are dropped.
//
// Used by the drive scan and by the non-internet temp listing, which both
// need the order a recursive walk would give (finds are recorded and temp
// entries numbered in that order). A flat pass over one pattern is
// PatternSweep (sweep.h).
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/filesystem.h"

namespace sweep {

enum class WalkStep {
  kNext,     // go on with the next entry of the same folder
  kDescend,  // list this sub-folder now, then go on here
  kStop,     // end the walk
};

inline bool IsDotEntry(std::string_view name) { return name == "." || name == ".."; }

// `visitor` provides:
//   void Enter(const std::string& folder);  // its listing has opened
//   WalkStep Entry(const std::string& folder, const platform::FindData& entry);
//   void Leave();                            // its listing has ended
// `folder` always ends in a backslash ("C:\\" or "C:\\Temp\\"). A folder
// that cannot be listed is skipped silently (neither entered nor left).
// Returns false when the visitor stopped the walk.
template <typename Visitor>
bool WalkFolders(platform::FileSystem& fs, const std::string& root, std::string_view mask,
                 Visitor& visitor) {
  struct Level {
    std::string folder;
    std::unique_ptr<platform::FindHandle> listing;
  };
  std::vector<Level> stack;
  auto open = [&](std::string folder) {
    std::string pattern = folder;
    pattern += mask;
    auto listing = fs.FindFirst(pattern, platform::kFindAnyFile);
    if (!listing) return;
    stack.push_back({std::move(folder), std::move(listing)});
    visitor.Enter(stack.back().folder);
  };
  open(root);
  platform::FindData entry;
  while (!stack.empty()) {
    Level& top = stack.back();
    if (!top.listing->Next(entry)) {
      stack.pop_back();
      visitor.Leave();
      continue;
    }
    if (IsDotEntry(entry.name)) continue;
    WalkStep step = visitor.Entry(top.folder, entry);
    if (step == WalkStep::kStop) {
      while (!stack.empty()) {
        stack.pop_back();
        visitor.Leave();
      }
      return false;
    }
    if (step == WalkStep::kDescend && (entry.attributes & platform::kAttrDirectory) &&
        !(entry.attributes & platform::kAttrReparsePoint)) {
      std::string sub = top.folder;
      sub += entry.name;
      sub += '\\';
      open(std::move(sub));  // may reallocate the stack: `top` is not used again
    }
  }
  return true;
}

}  // namespace sweep
