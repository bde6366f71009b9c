#include "core/sweep/sweep.h"

#include "core/sweep/walk.h"
#include "platform/text.h"

namespace sweep {

std::string Num(int64_t n) { return text::IntToStr(n); }

bool IsAbsolutePath(std::string_view path) {
  if (path.size() >= 3 && path[1] == ':' && text::IsSeparator(path[2])) return true;
  return path.size() >= 2 && text::IsSeparator(path[0]) && text::IsSeparator(path[1]);
}

std::string PatternFolder(std::string_view pattern) {
  size_t cut = pattern.find_last_of("\\/:");
  return cut == std::string_view::npos ? std::string() : std::string(pattern.substr(0, cut + 1));
}

std::optional<std::string> SafeName(const platform::FindData& entry) {
  if (!text::HasWildcards(entry.name)) return entry.name;
  if (!entry.short_name.empty() && !text::HasWildcards(entry.short_name)) return entry.short_name;
  return std::nullopt;
}

const Tally& PatternSweep::Run(std::string_view pattern, std::string_view folder, Mode mode) {
  const Tally& result = mode == Mode::kCount ? found : deleted;
  if (text::Trim(pattern).empty()) return result;
  auto listing = fs_.FindFirst(pattern, platform::kFindAnyFile);
  if (!listing) return result;
  platform::FindData entry;
  while (listing->Next(entry)) {
    if (IsDotEntry(entry.name)) continue;
    if (!Uncounted || !Uncounted(entry)) found.Add(entry.size);
    if (mode == Mode::kDelete) Delete(entry, folder);
  }
  return result;
}

void PatternSweep::Delete(const platform::FindData& entry, std::string_view folder) {
  if (entry.attributes & platform::kAttrDirectory) return;
  if (Spared && Spared(entry)) return;
  auto name = SafeName(entry);
  if (!name) {
    if (NotDeleted) NotDeleted(entry, {});
    return;
  }
  std::string path(folder);
  path += *name;
  if (BeforeDelete) BeforeDelete(path);
  if (fs_.DeleteFile(path)) {
    deleted.Add(entry.size);
  } else if (NotDeleted) {
    NotDeleted(entry, path);
  }
}

}  // namespace sweep
