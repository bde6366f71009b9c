#include "review/dupscan.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <unordered_map>

#include "core/sweep/sweep.h"
#include "core/sweep/walk.h"
#include "platform/text.h"

#define XXH_INLINE_ALL
#include <xxhash.h>

namespace review {

uint64_t DupSet::Wasted() const {
  uint64_t total = 0;
  uint64_t largest = 0;
  for (const DupFile& f : files) {
    total += f.size;
    largest = std::max(largest, f.size);
  }
  return total - largest;
}

DupFinder::DupFinder(platform::FileSystem& fs, platform::SystemInfo& system)
    : fs_(fs), system_(system) {}

// Collects every file the walk meets and paces the user interface.
struct DupWalkVisitor {
  DupFinder& finder;
  std::vector<uint32_t> open;  // folders_ index of each open level

  void Enter(const std::string& folder) {
    open.push_back(static_cast<uint32_t>(finder.folders_.size()));
    finder.folders_.push_back(folder.substr(0, folder.size() - 1));
  }
  void Leave() { open.pop_back(); }

  sweep::WalkStep Entry(const std::string& folder, const platform::FindData& entry) {
    if (entry.attributes & platform::kAttrDirectory) {
      finder.progress_.folder = folder.substr(0, folder.size() - 1);
    } else {
      Add(entry);
    }
    if (finder.Pace()) return sweep::WalkStep::kStop;
    return sweep::WalkStep::kDescend;
  }

  void Add(const platform::FindData& entry) {
    if (entry.attributes & platform::kAttrReparsePoint) return;
    if (finder.mode_ == DupMode::kContents && entry.size == 0) return;
    std::optional<std::string> act = sweep::SafeName(entry);
    if (!act) return;
    std::string act_name = *act == entry.name ? std::string() : std::move(*act);
    finder.entries_.push_back({open.back(), entry.name, std::move(act_name), entry.size});
    ++finder.progress_.files;
  }
};

bool DupFinder::Pace() {
  if (pump_) {
    uint64_t now = pump_interval_ ? system_.TickCount() : 0;
    if (pump_interval_ == 0 || now - last_pump_ >= pump_interval_) {
      last_pump_ = now;
      pump_(progress_);
    }
  }
  return stop_;
}

void DupFinder::Walk(const std::string& root) {
  std::string start = root;
  if (start.empty() || start.back() != '\\') start += '\\';
  DupWalkVisitor visitor{*this, {}};
  sweep::WalkFolders(fs_, start, "*.*", visitor);
  progress_.folder.clear();
}

std::string DupFinder::PathOf(const Entry& e) const {
  std::string path = folders_[e.folder];
  path += '\\';
  path += e.act_name.empty() ? e.name : e.act_name;
  return path;
}

std::vector<std::vector<uint32_t>> DupFinder::GroupByName() const {
  std::unordered_map<std::string, std::vector<uint32_t>> by_name;
  for (uint32_t i = 0; i < entries_.size(); ++i)
    by_name[text::Upper(entries_[i].name)].push_back(i);
  std::vector<std::vector<uint32_t>> groups;
  for (auto& [name, group] : by_name)
    if (group.size() > 1) groups.push_back(std::move(group));
  return groups;
}

std::vector<std::vector<uint32_t>> DupFinder::GroupBySize() const {
  std::unordered_map<uint64_t, std::vector<uint32_t>> by_size;
  for (uint32_t i = 0; i < entries_.size(); ++i) by_size[entries_[i].size].push_back(i);
  std::vector<std::vector<uint32_t>> groups;
  for (auto& [size, group] : by_size)
    if (group.size() > 1) groups.push_back(std::move(group));
  // Groups in the order the walk met them keep the reads near each other
  // on the disk.
  std::sort(groups.begin(), groups.end(),
            [](const auto& a, const auto& b) { return a.front() < b.front(); });
  return groups;
}

// A reader gives the index without the query of the volume a whole
// identity costs; a file that cannot be opened for reading (another
// program holds it) still has its identity.
void DupFinder::DropExtraLinks(std::vector<uint32_t>& group) const {
  std::set<uint64_t> seen;
  std::erase_if(group, [&](uint32_t i) {
    std::string path = PathOf(entries_[i]);
    std::optional<uint64_t> index;
    if (std::unique_ptr<platform::FileReader> reader = fs_.OpenRead(path)) {
      index = reader->Index();
    } else if (std::optional<platform::FileIdentity> id = fs_.Identity(path)) {
      index = id->index;
    }
    return index && !seen.insert(*index).second;
  });
}

bool DupFinder::Hash(Candidate& c, bool middle, Fingerprint& print) {
  const Entry& e = entries_[c.index];
  std::unique_ptr<platform::FileReader> own;
  platform::FileReader* reader = c.reader.get();
  if (!reader) {
    own = fs_.OpenRead(PathOf(e));
    reader = own.get();
  }
  if (!reader) return false;
  XXH3_state_t state;
  XXH3_128bits_reset(&state);
  // The edges are the first block and the last block (what is left of it
  // after the first); the middle is everything between them.
  uint64_t head = std::min<uint64_t>(e.size, kEdgeBlock);
  uint64_t tail = std::min<uint64_t>(e.size - head, kEdgeBlock);
  struct Range {
    uint64_t offset, length;
  };
  std::vector<Range> ranges;
  if (middle) {
    ranges.push_back({head, e.size - head - tail});
  } else {
    ranges.push_back({0, head});
    if (tail) ranges.push_back({e.size - tail, tail});
  }
  for (const Range& r : ranges) {
    uint64_t done = 0;
    while (done < r.length) {
      size_t want = static_cast<size_t>(std::min<uint64_t>(buffer_.size(), r.length - done));
      std::optional<size_t> got = reader->ReadAt(r.offset + done, buffer_.data(), want);
      if (!got || *got != want) return false;  // unreadable, or shorter than listed
      bytes_read_ += *got;
      XXH3_128bits_update(&state, buffer_.data(), *got);
      done += *got;
      if (Pace()) return false;
    }
  }
  XXH128_hash_t h = XXH3_128bits_digest(&state);
  (middle ? print.middle_low : print.edges_low) = h.low64;
  (middle ? print.middle_high : print.edges_high) = h.high64;
  return true;
}

void DupFinder::SplitByContents(const std::vector<uint32_t>& group,
                                std::vector<std::vector<uint32_t>>& sets) {
  // Each file is opened once for its identity, its edges and its middle;
  // only a very large group is reopened for the middles, so the number of
  // files open at once stays bounded.
  bool keep_open = group.size() <= kMaxOpenFiles;
  std::vector<Candidate> candidates;
  std::set<uint64_t> seen;
  for (uint32_t i : group) {
    std::unique_ptr<platform::FileReader> reader = fs_.OpenRead(PathOf(entries_[i]));
    if (!reader) continue;  // unreadable: its contents cannot be confirmed
    std::optional<uint64_t> index = reader->Index();
    if (index && !seen.insert(*index).second) continue;  // one more name of a file already here
    candidates.push_back({i, keep_open ? std::move(reader) : nullptr});
  }
  if (candidates.size() < 2) return;
  std::map<Fingerprint, std::vector<Candidate*>> by_edges;
  for (Candidate& c : candidates) {
    Fingerprint print;
    if (Hash(c, false, print)) by_edges[print].push_back(&c);
    if (stop_) return;
  }
  // Files no larger than two blocks were read whole with their edges.
  bool whole = entries_[group.front()].size <= 2 * kEdgeBlock;
  for (auto& [edges, alike] : by_edges) {
    if (alike.size() < 2) {
      alike.front()->reader.reset();
      continue;
    }
    std::map<Fingerprint, std::vector<uint32_t>> by_whole;
    for (Candidate* c : alike) {
      Fingerprint print = edges;
      if (whole || Hash(*c, true, print)) by_whole[print].push_back(c->index);
      c->reader.reset();
      if (stop_) return;
      ++progress_.files_hashed;
    }
    for (auto& [print, same] : by_whole)
      if (same.size() > 1) sets.push_back(std::move(same));
  }
}

DupSet DupFinder::MakeSet(const std::vector<uint32_t>& group) const {
  DupSet set;
  for (uint32_t i : group) {
    const Entry& e = entries_[i];
    set.files.push_back({e.name, folders_[e.folder], PathOf(e), e.size});
  }
  return set;
}

std::vector<DupSet> DupFinder::Find(const std::string& root, DupMode mode) {
  mode_ = mode;
  stop_ = false;
  progress_ = {};
  bytes_read_ = 0;
  folders_.clear();
  entries_.clear();
  last_pump_ = system_.TickCount();
  Walk(root);

  std::vector<std::vector<uint32_t>> sets;
  if (mode == DupMode::kNames) {
    // Grouping by name reads no contents, so what the walk found before a
    // stop is still grouped.
    for (auto& group : GroupByName()) {
      DropExtraLinks(group);
      if (group.size() > 1) sets.push_back(std::move(group));
    }
  } else if (!stop_) {
    buffer_.resize(kReadBuffer);
    for (auto& group : GroupBySize()) {
      SplitByContents(group, sets);
      if (stop_) break;
    }
    buffer_.clear();
    buffer_.shrink_to_fit();
  }
  // Listing order differs between file systems; the order of the paths
  // (without regard to case) does not.
  std::unordered_map<uint32_t, std::string> keys;
  for (const auto& set : sets)
    for (uint32_t i : set) keys.emplace(i, text::Upper(PathOf(entries_[i])));
  auto by_path = [&keys](uint32_t a, uint32_t b) { return keys.at(a) < keys.at(b); };
  for (auto& set : sets) std::sort(set.begin(), set.end(), by_path);
  std::sort(sets.begin(), sets.end(),
            [&](const auto& a, const auto& b) { return by_path(a.front(), b.front()); });
  std::vector<DupSet> out;
  out.reserve(sets.size());
  for (const auto& set : sets) out.push_back(MakeSet(set));
  if (pump_) pump_(progress_);
  return out;
}

}  // namespace review
