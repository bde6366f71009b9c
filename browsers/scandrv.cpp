#include "browsers/scandrv.h"

#include <array>

#include "core/sweep/walk.h"
#include "platform/text.h"

namespace browsers {

namespace {

// A folder test holds when the folder contains `text` and, when given,
// `also`. Several rows for one test mean any of them.
struct FolderText {
  FolderTest test;
  const char* text;
  const char* also;
};

constexpr auto kFolderTexts = std::to_array<FolderText>({
    {FolderTest::kBrowser, "\\NETSCAPE", nullptr},
    {FolderTest::kBrowser, "\\MOZILLA", nullptr},
    {FolderTest::kBrowser, "\\FIREFOX", nullptr},
    {FolderTest::kBrowser, "\\REAL", nullptr},
    {FolderTest::kContentIE5, "TEMPORARY INTERNET FILES\\CONTENT.IE5", nullptr},
    {FolderTest::kAol, "AOL", "C_AMERICA ONLINE 9"},
    {FolderTest::kYahooArchive, "\\YAHOO!\\MESSENGER\\", "\\ARCHIVE\\MESSAGES"},
    {FolderTest::kAimProArchive, "\\AIMPRO\\ARCHIVE", nullptr},
    {FolderTest::kMediaIndex, "MEDIA INDEX", nullptr},
    {FolderTest::kFirefox, "\\MOZILLA\\FIREFOX", nullptr},
});
static_assert(kFolderTexts.size() == 10);

constexpr std::string_view kCacheFolder = "CACHE";

bool Contains(std::string_view text, const char* part) {
  return text.find(part) != std::string_view::npos;
}

}  // namespace

std::string ScanUpper(std::string_view s) { return text::Upper(s); }

const ScanSection& SectionOf(ScanKind kind) {
  for (const auto& s : kScanSections) {
    if (s.kind == kind) return s;
  }
  return kScanSections[0];
}

uint32_t FolderTestsOf(std::string_view upper_folder) {
  uint32_t tests = 0;
  for (const auto& t : kFolderTexts) {
    if (Contains(upper_folder, t.text) && (!t.also || Contains(upper_folder, t.also))) {
      tests |= FolderBit(t.test);
    }
  }
  return tests;
}

const ScanRule* MatchScanRule(uint32_t folder_tests, std::string_view upper_name) {
  if (folder_tests == 0) return nullptr;
  for (const auto& rule : kScanRules) {
    if (!(folder_tests & FolderBit(rule.folder))) continue;
    bool name_ok = rule.name_contains ? Contains(upper_name, rule.name) : upper_name == rule.name;
    if (name_ok && (!rule.also_contains || Contains(upper_name, rule.also_contains))) return &rule;
  }
  return nullptr;
}

platform::Status WriteInitialScanFile(platform::FileSystem& fs, const std::string& scan_file) {
  static constexpr auto kInitialSections =
      std::to_array<const char*>({"K17", "P45", "L44", "H53", "HI24", "MM20", "AL13"});
  static_assert(kInitialSections.size() == 7);
  std::string bytes;
  auto section = [&bytes](const char* name, const char* prefix, int keys) {
    bytes += '[';
    bytes += name;
    bytes += "]\r\n";
    for (int n = 1; n <= keys; ++n) {
      bytes += NumberedKey(prefix, n);
      bytes += "=\r\n";
    }
  };
  for (const char* name : kInitialSections) section(name, "P", kScanSectionSize);
  section("UCKK5", "CKK", 200);
  return fs.WriteBytes(scan_file, bytes);
}

DriveScanner::DriveScanner(platform::FileSystem& fs, platform::Ini& ini,
                           platform::SystemInfo& system, std::string scan_file)
    : fs_(fs), ini_(ini), system_(system), scan_file_(std::move(scan_file)) {}

void DriveScanner::RecordFind(const std::string& path, ScanKind kind) {
  const ScanSection& section = SectionOf(kind);
  ++finds_;
  if (section.single) {
    ini_.WriteString(scan_file_, section.section, "P0", path);
    return;
  }
  std::string wanted = ScanUpper(text::Trim(path));
  std::string memo = std::string(section.section) + "|" + wanted;
  if (known_.count(memo) || full_.count(section.section)) return;
  for (int n = 1; n <= kScanSectionSize; ++n) {
    std::string key = NumberedKey("P", n);
    std::string value = text::Trim(ini_.ReadString(scan_file_, section.section, key, ""));
    if (value.empty()) {
      ini_.WriteString(scan_file_, section.section, key, path);
      known_.insert(memo);
      return;
    }
    if (ScanUpper(value) == wanted) {
      known_.insert(memo);
      return;
    }
  }
  full_.insert(section.section);
}

// Applies the scan's rules to each entry of the walk and paces the user
// interface. Keeps the folder tests of every open level.
struct DriveScanVisitor {
  DriveScanner& scanner;
  uint64_t last_pump = 0;
  std::vector<uint32_t> tests;

  void Enter(const std::string& folder) {
    ++scanner.folders_;
    std::string_view bare(folder);
    bare.remove_suffix(1);
    tests.push_back(FolderTestsOf(ScanUpper(bare)));
  }
  void Leave() { tests.pop_back(); }

  sweep::WalkStep Entry(const std::string& folder, const platform::FindData& entry) {
    ++scanner.entries_;
    sweep::WalkStep step = Apply(folder, entry);
    if (Pace(folder)) return sweep::WalkStep::kStop;
    return step;
  }

  sweep::WalkStep Apply(const std::string& folder, const platform::FindData& entry) {
    uint32_t here = tests.back();
    if (entry.attributes & platform::kAttrDirectory) {
      if ((here & FolderBit(FolderTest::kFirefox)) && ScanUpper(entry.name) == kCacheFolder) {
        scanner.RecordFind(folder, ScanKind::kP);
      }
      return sweep::WalkStep::kDescend;
    }
    if (entry.attributes & (platform::kAttrReadOnly | platform::kAttrSystem)) {
      return sweep::WalkStep::kNext;
    }
    const ScanRule* rule = MatchScanRule(here, ScanUpper(entry.name));
    if (rule) scanner.RecordFind(rule->records_file ? folder + entry.name : folder, rule->kind);
    return sweep::WalkStep::kNext;
  }

  // Lets the user interface run when the interval has passed; true when a
  // stop was asked for.
  bool Pace(const std::string& folder) {
    if (scanner.pump_) {
      uint64_t now = scanner.pump_interval_ ? scanner.system_.TickCount() : 0;
      if (scanner.pump_interval_ == 0 || now - last_pump >= scanner.pump_interval_) {
        last_pump = now;
        std::string shown = folder;
        if (shown.size() > 1) shown.pop_back();
        scanner.pump_(shown);
      }
    }
    return scanner.stop_;
  }
};

bool DriveScanner::ScanDriveFolder(const std::string& folder) {
  stop_ = false;
  folders_ = entries_ = finds_ = 0;
  known_.clear();
  full_.clear();
  DriveScanVisitor visitor{*this, system_.TickCount(), {}};
  std::string root = folder;
  if (root.empty() || root.back() != '\\') root += '\\';
  bool finished = sweep::WalkFolders(fs_, root, "*.*", visitor);
  if (pump_) pump_(std::string());
  return finished && !stop_;
}

}  // namespace browsers
