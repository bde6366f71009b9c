#include "core/sweep/guard.h"

#include <algorithm>
#include <array>

#include "core/sweep/sweep.h"
#include "platform/text.h"

namespace sweep {

namespace {

// The special folders that are kept (the profile's parent is added too).
constexpr std::array<int, 7> kKeptSpecialFolders{
    platform::csidl::kWindows, platform::csidl::kSystem,   platform::csidl::kProgramFiles,
    platform::csidl::kProfile, platform::csidl::kPersonal, platform::csidl::kDesktopDirectory,
    platform::csidl::kDesktop,
};
static_assert(kKeptSpecialFolders.size() == 7);

constexpr std::string_view kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// "X:\" or "\\server\share\": what no cleanup may empty on any machine.
bool IsRootKey(const std::string& key) {
  if (key.size() == 3 && key[1] == ':') return true;
  if (key.rfind("\\\\", 0) != 0) return false;
  return std::count(key.begin() + 2, key.end(), '\\') <= 2;
}

}  // namespace

FolderGuard::FolderGuard(platform::Platform& p, std::string_view system_dir,
                         const std::vector<std::string>& also_kept)
    : fs_(p.fs) {
  Keep(fs_.WindowsFolder());
  Keep(fs_.SystemFolder());
  Keep(PatternFolder(p.system.ProgramPath()));
  if (p.shell.HasSpecialFolderFunction(system_dir)) {
    for (int csidl : kKeptSpecialFolders) {
      const std::string folder = p.shell.SpecialFolder(system_dir, csidl, false).value_or("");
      Keep(folder);
      if (csidl == platform::csidl::kProfile && !folder.empty()) Keep(folder + "\\..");
    }
  }
  // Explorer's own record of them, for a machine without the shell's
  // function.
  if (auto key = p.registry.Open(platform::Hive::kCurrentUser, kShellFolders, false,
                                 platform::Access::kRead)) {
    for (std::string_view value : {"Desktop", "Personal"})
      Keep(key->ReadString(value).value_or(""));
  }
  for (const std::string& folder : also_kept) Keep(folder);
}

std::string FolderGuard::Key(std::string_view folder) const {
  auto resolved = fs_.ResolvePath(folder);
  if (!resolved) return {};
  return text::AddTrailingBackslash(text::Upper(*resolved));
}

void FolderGuard::Keep(std::string_view folder) {
  if (text::Trim(folder).empty() || !IsAbsolutePath(folder)) return;
  std::string key = Key(folder);
  if (!key.empty() && std::find(kept_.begin(), kept_.end(), key) == kept_.end()) {
    kept_.push_back(std::move(key));
  }
}

bool FolderGuard::Refused(std::string_view folder) const {
  if (!IsAbsolutePath(folder)) return true;
  const std::string key = Key(folder);
  if (key.empty() || IsRootKey(key)) return true;
  // The folder itself, or one that holds a kept folder.
  return std::any_of(kept_.begin(), kept_.end(),
                     [&key](const std::string& kept) { return kept.rfind(key, 0) == 0; });
}

}  // namespace sweep
