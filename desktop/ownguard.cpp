#include "desktop/ownguard.h"

#include <algorithm>
#include <vector>

#include "platform/text.h"

namespace desktop {

std::optional<std::string> DeletableName(const platform::FindData& entry) {
  if (!text::HasWildcards(entry.name)) return entry.name;
  if (entry.short_name.empty() || text::HasWildcards(entry.short_name)) return std::nullopt;
  return entry.short_name;
}

std::string NormalFolder(std::string_view folder) {
  std::string path = text::Trim(folder);
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  std::string prefix;
  if (path.starts_with("\\\\?\\") || path.starts_with("\\\\.\\")) path.erase(0, 4);
  if (path.starts_with("\\\\")) prefix = "\\\\";
  std::vector<std::string> parts;
  size_t from = 0;
  while (from <= path.size()) {
    size_t end = path.find('\\', from);
    if (end == std::string::npos) end = path.size();
    std::string part = text::TrimRight(path.substr(from, end - from));
    while (!part.empty() && part != "." && part != ".." &&
           (part.back() == '.' || part.back() == ' '))
      part.pop_back();
    if (part == "..") {
      // Never above the drive or the share.
      if (parts.size() > (prefix.empty() ? 1u : 2u)) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(text::Upper(part));
    }
    from = end + 1;
  }
  std::string out = prefix;
  for (size_t i = 0; i < parts.size(); ++i) out += (i ? "\\" : "") + parts[i];
  return out;
}

bool IsProtectedFolder(core::Uglobalvars& g, std::string_view folder) {
  auto& p = g.Platform();
  const std::string normal = NormalFolder(folder);
  // A drive root ("C:"), a share root ("\\SRV\SHARE") or nothing at all.
  const size_t depth = std::count(normal.begin(), normal.end(), '\\');
  if (normal.starts_with("\\\\") ? depth <= 3 : depth == 0) return true;

  std::vector<std::string> kept{g.WindowsDir,  g.SystemDir,          g.ProgramDir,
                                g.MyDocuments, p.fs.WindowsFolder(), p.fs.SystemFolder()};
  for (int csidl : {platform::csidl::kProfile, platform::csidl::kDesktopDirectory,
                    platform::csidl::kPersonal, platform::csidl::kProgramFiles}) {
    kept.push_back(p.shell.SpecialFolder(g.SystemDir, csidl, false).value_or(""));
  }
  // The folder that holds the profiles.
  kept.push_back(text::ParentFolder(text::StripTrailingBackslash(kept[6])));
  const std::string short_form = NormalFolder(p.fs.ShortPath(folder));
  for (const std::string& k : kept) {
    if (k.empty()) continue;
    const std::string normal_kept = NormalFolder(k);
    if (normal == normal_kept) return true;
    const std::string short_kept = NormalFolder(p.fs.ShortPath(k));
    if (!short_form.empty() && !short_kept.empty() && short_form == short_kept) return true;
  }
  return false;
}

}  // namespace desktop
