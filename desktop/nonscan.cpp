#include "desktop/nonscan.h"

#include <exception>

#include "core/sweep/sweep.h"
#include "core/sweep/walk.h"
#include "platform/text.h"

namespace desktop {

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

void NonScanner::ScanFolder(const std::string& pattern, bool del) {
  sweep::PatternSweep pass(fs_);
  pass.Run(pattern, sweep::PatternFolder(pattern),
           del ? sweep::Mode::kDelete : sweep::Mode::kCount);
  found_count += pass.found.count;
  found_bytes += pass.found.bytes;
  deleted_count += pass.deleted.count;
  deleted_bytes += pass.deleted.bytes;
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
    sweep::WalkStep Entry(const std::string& at, const platform::FindData& entry) {
      ++self.found_count;
      self.found_bytes += static_cast<int64_t>(entry.size);
      self.Remember(at + entry.name);
      bool is_folder = entry.attributes & platform::kAttrDirectory;
      if (!del) return is_folder ? sweep::WalkStep::kDescend : sweep::WalkStep::kNext;
      if (entry.attributes & platform::kAttrReparsePoint) return sweep::WalkStep::kNext;
      auto name = sweep::SafeName(entry);
      if (name && self.RecycleFile(at + *name)) {
        ++self.deleted_count;
        self.deleted_bytes += static_cast<int64_t>(entry.size);
      }
      return sweep::WalkStep::kNext;
    }
  } visitor{*this, del};
  // An empty folder would make the pattern relative to the current folder.
  if (folder.empty()) return;
  sweep::WalkFolders(fs_, text::AddTrailingBackslash(folder), mask, visitor);
}

}  // namespace desktop
