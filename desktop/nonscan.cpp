#include "desktop/nonscan.h"

#include <exception>

#include "browsers/scandrvwalk.h"
#include "platform/text.h"

namespace desktop {

std::string PatternFolder(const std::string& pattern) {
  size_t cut = pattern.find_last_of("\\:");
  return cut == std::string::npos ? std::string() : pattern.substr(0, cut + 1);
}

std::optional<std::string> NonScanner::SafeName(const platform::FindData& entry) {
  if (!text::HasWildcards(entry.name)) return entry.name;
  if (!entry.short_name.empty() && !text::HasWildcards(entry.short_name)) return entry.short_name;
  return std::nullopt;
}

void NonScanner::Remember(const std::string& path) {
  if (found_count > kTempListingSize) return;
  auto index = static_cast<size_t>(found_count);
  if (temp_listing_.size() < index) temp_listing_.resize(index);
  temp_listing_[index - 1] = path;
}

std::string NonScanner::TempEntry(int64_t n) const {
  if (n < 1 || n > TempStored()) return {};
  return temp_listing_[static_cast<size_t>(n - 1)];
}

void NonScanner::ScanFolder(bool del) {
  auto listing = fs_.FindFirst(pattern, platform::kFindAnyFile);
  if (!listing) return;
  std::string folder = PatternFolder(pattern);
  platform::FindData entry;
  while (listing->Next(entry)) {
    if (browsers::IsDotEntry(entry.name)) continue;
    ++found_count;
    found_bytes += static_cast<int64_t>(entry.size);
    if (!del || (entry.attributes & platform::kAttrDirectory)) continue;
    auto name = SafeName(entry);
    if (name && fs_.DeleteFile(folder + *name)) {
      ++deleted_count;
      deleted_bytes += static_cast<int64_t>(entry.size);
    }
  }
}

bool NonScanner::RecycleFile(const std::string& path) {
  if (text::HasWildcards(path)) return false;
  auto attributes = fs_.GetAttributes(path);
  if (!attributes || (*attributes & platform::kAttrReparsePoint)) return false;
  try {
    return shell_.SendToRecycleBin({path}) == 0;
  } catch (const std::exception&) {
    return false;
  }
}

void NonScanner::ScanTree(const std::string& mask, const std::string& folder, bool del) {
  // Counts every entry and numbers it into the temp listing; counting
  // enters matching sub-folders, deleting recycles them whole instead.
  struct Visitor {
    NonScanner& self;
    bool del;
    void Enter(const std::string&) {}
    void Leave() {}
    browsers::WalkStep Entry(const std::string& at, const platform::FindData& entry) {
      ++self.found_count;
      self.found_bytes += static_cast<int64_t>(entry.size);
      self.Remember(at + entry.name);
      bool is_folder = entry.attributes & platform::kAttrDirectory;
      if (!del) return is_folder ? browsers::WalkStep::kDescend : browsers::WalkStep::kNext;
      if (entry.attributes & platform::kAttrReparsePoint) return browsers::WalkStep::kNext;
      auto name = SafeName(entry);
      if (name && self.RecycleFile(at + *name)) {
        ++self.deleted_count;
        self.deleted_bytes += static_cast<int64_t>(entry.size);
      }
      return browsers::WalkStep::kNext;
    }
  } visitor{*this, del};
  // An empty folder would make the pattern relative to the current folder.
  if (folder.empty()) return;
  browsers::WalkFolders(fs_, text::AddTrailingBackslash(folder), mask, visitor);
}

}  // namespace desktop
