// The drive scan: walks one drive and records, in the record sections of
// the scan-results file, the browser, messenger and media-player files that
// the cleaners cannot find through the registry or the shell. It deletes
// nothing. The walk is paced: it lets the user interface run every few tens
// of milliseconds (not after every entry) and can be stopped from there.
// The window around it is TFrmscandrv (scandrvform.h).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/sweep/scanrecords.h"
#include "platform/filesystem.h"
#include "platform/ini.h"
#include "platform/sysinfo.h"

namespace browsers {

// What a record section holds; the letters are the drive scan's own.
enum class ScanKind { kP, kH, kL, kK, kI, kA, kY, kR, kM, kFFFH, kFFPL, kFFCK };

struct ScanSection {
  ScanKind kind;
  const char* section;
  bool single;  // one key "P0", overwritten by each find
};

inline constexpr auto kScanSections = std::to_array<ScanSection>({
    {ScanKind::kP, "P45", false},
    {ScanKind::kH, "H53", false},
    {ScanKind::kL, "L44", false},
    {ScanKind::kK, "K17", false},
    {ScanKind::kI, "HI24", false},
    {ScanKind::kA, "AL13", false},
    {ScanKind::kY, "YH25", false},
    {ScanKind::kR, "APRO25", false},
    {ScanKind::kM, "MM20", false},
    {ScanKind::kFFFH, "FFFH", true},
    {ScanKind::kFFPL, "FFPL", true},
    {ScanKind::kFFCK, "FFCK", true},
});
static_assert(kScanSections.size() == 12);

using sweep::kScanSectionSize;

const ScanSection& SectionOf(ScanKind kind);

// Where the folder of a file must lie for a rule to apply (tests on the
// upper-cased folder path without its trailing backslash).
enum class FolderTest {
  kBrowser,
  kContentIE5,
  kAol,
  kYahooArchive,
  kAimProArchive,
  kMediaIndex,
  kFirefox
};

// One rule of the scan: the file name test (equals, or contains one or two
// texts) and the folder test. The rules are tried in table order and the
// first whose tests both hold is recorded.
struct ScanRule {
  ScanKind kind;
  const char* name;
  bool name_contains;
  const char* also_contains;  // a second text the name must contain, or null
  FolderTest folder;
  bool records_file;  // the full file path, else the folder + "\"
};

inline constexpr auto kScanRules = std::to_array<ScanRule>({
    {ScanKind::kP, "PREFS.JS", false, nullptr, FolderTest::kBrowser, false},
    {ScanKind::kH, "NETSCAPE.HST", false, nullptr, FolderTest::kBrowser, false},
    {ScanKind::kL, "LOCALSTORE.RDF", false, nullptr, FolderTest::kBrowser, false},
    {ScanKind::kH, "HISTORY.DAT", false, nullptr, FolderTest::kBrowser, false},
    {ScanKind::kH, "FORMHISTORY.DAT", false, nullptr, FolderTest::kBrowser, false},
    {ScanKind::kK, "COOKIES.TXT", false, nullptr, FolderTest::kBrowser, false},
    {ScanKind::kI, "INDEX.DAT", false, nullptr, FolderTest::kContentIE5, false},
    {ScanKind::kA, ".ARL", true, nullptr, FolderTest::kAol, false},
    {ScanKind::kY, ".DAT", true, nullptr, FolderTest::kYahooArchive, false},
    {ScanKind::kR, ".HTM", true, nullptr, FolderTest::kAimProArchive, false},
    {ScanKind::kM, "WMPLIBRARY", true, ".DB", FolderTest::kMediaIndex, true},
    {ScanKind::kFFFH, "FORMHISTORY.SQLITE", true, nullptr, FolderTest::kFirefox, true},
    {ScanKind::kFFPL, "PLACES.SQLITE", true, nullptr, FolderTest::kFirefox, true},
    {ScanKind::kFFCK, "COOKIES.SQLITE", true, nullptr, FolderTest::kFirefox, true},
});
static_assert(kScanRules.size() == 14);

// Bit set of the folder tests that hold for an upper-cased folder path.
uint32_t FolderTestsOf(std::string_view upper_folder);
inline constexpr uint32_t FolderBit(FolderTest test) { return 1u << static_cast<int>(test); }

// The first rule an upper-cased file name matches in a folder with these
// folder tests, or null.
const ScanRule* MatchScanRule(uint32_t folder_tests, std::string_view upper_name);

// An INI key of a numbered list: "P" and 7 give "P7".
inline std::string NumberedKey(std::string_view prefix, int n) {
  std::string key(prefix);
  key += std::to_string(n);
  return key;
}

// Upper-cases a name or path for the scan's comparisons.
std::string ScanUpper(std::string_view s);

// Writes the scan-results file as the first run creates it: empty keys
// "P1".."P100" in the sections the cleaners read, then the empty cookie
// keep list "CKK1".."CKK200" in "UCKK5". The file is written in one piece,
// laid out as key-by-key profile writes would leave it (sections in order
// of first use, CR LF lines), instead of 900 separate profile writes.
platform::Status WriteInitialScanFile(platform::FileSystem& fs, const std::string& scan_file);

class DriveScanner {
 public:
  // Time between two rounds of message processing during a walk.
  static constexpr uint64_t kPumpIntervalMs = 30;

  DriveScanner(platform::FileSystem& fs, platform::Ini& ini, platform::SystemInfo& system,
               std::string scan_file);

  // Runs at each pacing point with the folder being searched. The callee
  // lets pending messages run and may call RequestStop().
  void SetPump(std::function<void(const std::string& folder)> pump) { pump_ = std::move(pump); }
  // 0 pumps after every entry.
  void SetPumpInterval(uint64_t ms) { pump_interval_ = ms; }
  void RequestStop() { stop_ = true; }
  bool StopRequested() const { return stop_; }

  // Walks `folder` (no trailing backslash, e.g. "C:") and everything below
  // it that is not a reparse point. Returns false when it was stopped.
  bool ScanDriveFolder(const std::string& folder);
  // Stores one find in the section of `kind`.
  void RecordFind(const std::string& path, ScanKind kind);

  // Figures of the last walk.
  uint64_t Folders() const { return folders_; }
  uint64_t Entries() const { return entries_; }
  uint64_t Finds() const { return finds_; }

 private:
  friend struct DriveScanVisitor;

  platform::FileSystem& fs_;
  platform::Ini& ini_;
  platform::SystemInfo& system_;
  std::string scan_file_;
  std::function<void(const std::string&)> pump_;
  uint64_t pump_interval_ = kPumpIntervalMs;
  bool stop_ = false;
  uint64_t folders_ = 0;
  uint64_t entries_ = 0;
  uint64_t finds_ = 0;
  // Records known to be in the file already during this scan, as section +
  // "|" + upper-cased path, and sections found full: spares re-reading a
  // section for every repeated find.
  std::set<std::string> known_;
  std::set<std::string> full_;
};

}  // namespace browsers
