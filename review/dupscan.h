// The duplicate finder's two scans over one drive. It walks the drive once
// (the shared folder walk: reparse points are never entered), then groups
// what it found:
//
// - by name: files whose names are equal without regard to letter case;
// - by contents: files of equal size (empty files left out) whose first and
//   last blocks hash alike, confirmed by a 128-bit XXH3 hash of the rest of
//   their contents. Each byte of a file is read at most once.
//
// A physical file reached through several names (hard links) counts once,
// by the first name the walk met. The walk stays on one volume (another
// volume is mounted in a folder through a reparse point, which it never
// enters), so the file index alone tells whether two names lead to one
// file. Files whose listed name cannot be used
// safely (see sweep::SafeName) and file-like reparse points are left out,
// so every path handed out is exactly one file. The scan deletes nothing.
//
// The work is paced: the pump runs every few tens of milliseconds with the
// progress, and may ask for a stop; a stopped scan keeps the sets it had
// confirmed.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/filesystem.h"
#include "platform/sysinfo.h"

namespace review {

enum class DupMode { kNames, kContents };

// One file of a set.
struct DupFile {
  std::string name;    // as the listing shows it
  std::string folder;  // no trailing backslash ("C:" for the drive root)
  std::string path;    // the file to act on: folder + "\" + its safe name
  uint64_t size = 0;
};

// Files alike.
struct DupSet {
  std::vector<DupFile> files;
  // What removing all copies but one would free: for contents sets the
  // size of each extra copy, for name sets every file but the largest.
  uint64_t Wasted() const;
};

struct DupProgress {
  std::string folder;         // the folder being searched; empty after the walk
  uint64_t files = 0;         // files found so far
  uint64_t files_hashed = 0;  // files whose contents were compared so far
};

class DupFinder {
 public:
  static constexpr uint64_t kPumpIntervalMs = 30;
  // Bytes hashed at each end of a file before its middle is read.
  static constexpr size_t kEdgeBlock = 4096;
  // The read buffer for the middle of a file.
  static constexpr size_t kReadBuffer = 1 << 20;
  // Size groups up to this many files keep their files open while they
  // are compared.
  static constexpr size_t kMaxOpenFiles = 64;

  DupFinder(platform::FileSystem& fs, platform::SystemInfo& system);

  // Runs at each pacing point; the callee lets messages run and may call
  // RequestStop().
  void SetPump(std::function<void(const DupProgress&)> pump) { pump_ = std::move(pump); }
  // 0 pumps at every entry and every buffer read.
  void SetPumpInterval(uint64_t ms) { pump_interval_ = ms; }
  void RequestStop() { stop_ = true; }
  bool Stopped() const { return stop_; }

  // Scans the drive or folder `root` (e.g. "C:" or "C:\Data") and returns
  // the sets of two or more files: each set's files in the order of their
  // paths (without regard to case), sets in the order of their first paths,
  // so the order is the same on every file system.
  std::vector<DupSet> Find(const std::string& root, DupMode mode);

  // Figures of the last scan.
  uint64_t FilesFound() const { return progress_.files; }
  uint64_t FilesHashed() const { return progress_.files_hashed; }
  uint64_t BytesRead() const { return bytes_read_; }

 private:
  friend struct DupWalkVisitor;

  struct Entry {
    uint32_t folder;       // index into folders_
    std::string name;      // listed name
    std::string act_name;  // the name to act on when it differs
    uint64_t size;
  };
  // A 128-bit hash of a whole file, in two parts: its edges and its middle.
  struct Fingerprint {
    uint64_t edges_low = 0, edges_high = 0, middle_low = 0, middle_high = 0;
    auto operator<=>(const Fingerprint&) const = default;
  };

  // A file of a size group being compared, open while it is.
  struct Candidate {
    uint32_t index;
    std::unique_ptr<platform::FileReader> reader;
  };

  void Walk(const std::string& root);
  std::vector<std::vector<uint32_t>> GroupByName() const;
  std::vector<std::vector<uint32_t>> GroupBySize() const;
  // Drops the later names of one physical file from a group (by name).
  void DropExtraLinks(std::vector<uint32_t>& group) const;
  // Splits a group of equal size into groups of equal contents, each
  // physical file counted once.
  void SplitByContents(const std::vector<uint32_t>& group,
                       std::vector<std::vector<uint32_t>>& sets);
  // Hashes the edges (`middle` false) or the middle of a file, through its
  // open reader or one opened for the call; false when it could not be
  // read whole.
  bool Hash(Candidate& c, bool middle, Fingerprint& print);
  bool Pace();
  std::string PathOf(const Entry& e) const;
  DupSet MakeSet(const std::vector<uint32_t>& group) const;

  platform::FileSystem& fs_;
  platform::SystemInfo& system_;
  std::function<void(const DupProgress&)> pump_;
  uint64_t pump_interval_ = kPumpIntervalMs;
  uint64_t last_pump_ = 0;
  bool stop_ = false;
  DupMode mode_ = DupMode::kNames;
  DupProgress progress_;
  uint64_t bytes_read_ = 0;
  std::vector<std::string> folders_;
  std::vector<Entry> entries_;
  std::vector<char> buffer_;
};

}  // namespace review
