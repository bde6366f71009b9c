#include "desktop/ownguard.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/text.h"

namespace desktop {

bool IsProtectedFolder(core::Uglobalvars& g, std::string_view folder) {
  auto& p = g.Platform();
  const std::optional<std::string> resolved = p.fs.ResolvePath(folder);
  if (!resolved) return true;
  const std::string& path = *resolved;
  // "C:\" or "\\srv\share".
  if (path.size() == 3 && path[1] == ':') return true;
  if (path.starts_with("\\\\") && std::count(path.begin() + 2, path.end(), '\\') <= 1) return true;

  std::vector<std::string> kept{g.WindowsDir,  g.SystemDir,          g.ProgramDir,
                                g.MyDocuments, p.fs.WindowsFolder(), p.fs.SystemFolder()};
  const std::string profile =
      p.shell.SpecialFolder(g.SystemDir, platform::csidl::kProfile, false).value_or("");
  kept.push_back(profile);
  if (!profile.empty()) kept.push_back(text::ParentFolder(text::StripTrailingBackslash(profile)));
  for (int csidl : {platform::csidl::kDesktopDirectory, platform::csidl::kPersonal,
                    platform::csidl::kProgramFiles}) {
    kept.push_back(p.shell.SpecialFolder(g.SystemDir, csidl, false).value_or(""));
  }
  return std::any_of(kept.begin(), kept.end(), [&](const std::string& k) {
    if (k.empty()) return false;
    const std::optional<std::string> kept_path = p.fs.ResolvePath(k);
    return kept_path && text::EqualsNoCase(*kept_path, path);
  });
}

}  // namespace desktop
