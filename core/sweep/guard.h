// The rule for folders a cleanup must never empty, judged on the folder a
// path names rather than on its spelling. Every cleanup that takes a folder
// from outside the program (the registry, a prefs.js file, the temp path,
// the drive scan's records) and deletes or recycles what it holds asks
// Refused() first, for counting and deleting alike, so that a survey
// never counts what its cleanup would refuse.
//
// The path is first resolved as Windows resolves it (FileSystem::
// ResolvePath: separators, ".", "..", repeated separators, trailing dots
// and blanks, "\\?\" and "\\.\" prefixes, 8.3 names), then compared without
// regard to letter case. Refused are: what is not an absolute path or names
// no folder, drive and share roots, the Windows, system and program
// folders, Program Files, the profile folder and its parent, Documents and
// the Desktop, and every folder that holds one of these (emptying it, or
// recycling its sub-folders, would take them along).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace sweep {

class FolderGuard {
 public:
  // Gathers the kept folders from the machine (the shell's special folders
  // are looked up through `system_dir`) and adds `also_kept` (folders the
  // program formed itself, which may be fallbacks the machine does not
  // name).
  FolderGuard(platform::Platform& p, std::string_view system_dir,
              const std::vector<std::string>& also_kept);

  bool Refused(std::string_view folder) const;

 private:
  // The resolved, upper-cased form with one trailing backslash; empty when
  // the path names no folder.
  std::string Key(std::string_view folder) const;
  void Keep(std::string_view folder);

  platform::FileSystem& fs_;
  std::vector<std::string> kept_;
};

}  // namespace sweep
