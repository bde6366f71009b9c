#include "browsers/ie.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "browsers/scandrv.h"
#include "browsers/summary.h"
#include "core/sweep/scanrecords.h"
#include "core/sweep/walk.h"
#include "platform/text.h"

namespace browsers {

using sweep::IsDotEntry;
using sweep::Num;

namespace {

constexpr const char* kCaption = "Vostrel (IE)";

constexpr std::string_view kShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr std::string_view kCachePathsKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Cache\\Paths";
constexpr std::string_view kContentIE5Marker = "TEMPORARY INTERNET FILES\\CONTENT.IE5";
constexpr std::string_view kWindowsContentIE5 =
    "c:\\windows\\temporary internet files\\content.ie5\\";

constexpr std::string_view kAllDeleted = "All files have been deleted.";

// What DeleteIEFiles queues for the boot cleanup when it cannot delete it.
constexpr auto kIndexFiles =
    std::to_array<std::string_view>({"INDEX.DAT", "MM256.DAT", "MM2048.DAT"});
static_assert(kIndexFiles.size() == 3);

// Folds every run of backslashes into one, except a leading "\\" that
// starts a share name.
std::string FoldBackslashes(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    if (c == '\\' && !out.empty() && out.back() == '\\' && out.size() > 1) continue;
    out += c;
  }
  return out;
}

// Removes the first doubled backslash that does not start a share name.
std::string RemoveFirstDoubledBackslash(std::string s) {
  size_t at = s.find("\\\\", 1);
  if (at != std::string::npos) s.erase(at, 1);
  return s;
}

bool IsIndexFile(const std::string& upper_name) {
  return std::find(kIndexFiles.begin(), kIndexFiles.end(), upper_name) != kIndexFiles.end();
}

}  // namespace

namespace {

// "X:\name..." or "\\server\share\name...": a full path that ends in a
// file name. Trailing separators, "." and ".." components, "/" (a switch to
// the command interpreter) and characters no file name holds are refused.
bool IsFilePath(std::string_view path) {
  size_t start = 0;
  if (path.size() >= 3 && path[1] == ':' && path[2] == '\\' &&
      std::isalpha(static_cast<unsigned char>(path[0]))) {
    start = 3;
  } else if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
    start = 2;
  } else {
    return false;
  }
  int components = 0;
  while (start <= path.size()) {
    const size_t end = std::min(path.find('\\', start), path.size());
    const std::string_view part = path.substr(start, end - start);
    if (part.empty() || part == "." || part == ".." ||
        part.find_first_of(":/<>|") != std::string_view::npos) {
      return false;
    }
    ++components;
    start = end + 1;
  }
  // A share path needs its server and share before the file.
  return path[1] != '\\' || components >= 3;
}

}  // namespace

std::optional<std::string> BootDeleteCommand(const std::string& short_path,
                                             const std::string& long_path) {
  const std::string& path = text::Trim(short_path).empty() ? long_path : short_path;
  for (char c : path) {
    auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '*' || c == '?' || u < 0x20 || u == 0x7F) return std::nullopt;
  }
  if (!IsFilePath(path)) return std::nullopt;
  std::string command = "Del \"";
  for (char c : path) {
    command += c;
    if (c == '%') command += '%';
  }
  command += '"';
  return command;
}

std::string NormalIEPattern(const std::string& text) { return text::Upper(FoldBackslashes(text)); }

// One cleanup category: its list, figures, result slot and texts.
struct TFrmie::Category {
  core::FixedList<core::kIEListSize> core::Uglobalvars::*list;
  core::SurveyFigures TFrmie::*figures;
  core::Slot slot;
  bool spare_kept;
  std::string_view locked_text;
};

TFrmie::TFrmie(core::Uglobalvars& g)
    : core::BrowserModule(g.Windows(), "Frmie", kCaption, 600, 100), g_(g), p_(g.Platform()) {
  const ui::Font fixed{"Courier New", 8, false, false, false};
  for (ui::Label* line : {&label1, &Label2, &Label3, &Label4}) line->SetFont(fixed);
  OnCreate = [this] { FormCreate(); };
}

const std::string& TFrmie::TableEntry(const Table& t, int i) {
  static const std::string empty;
  return i >= 1 && i <= kIEHistoryTableSize ? t[static_cast<size_t>(i - 1)] : empty;
}

// ---- Pattern lists ---------------------------------------------------------

void TFrmie::AddPattern(core::FixedList<core::kIEListSize>& list, const std::string& text,
                        bool judged) {
  if (text::Trim(text).empty()) return;
  if (!judged && g_.Guard().Refused(text::ExtractFilePath(text))) return;
  std::string entry = NormalIEPattern(text);
  list.AddUnique(std::move(entry));
}

void TFrmie::AddIECachePattern(const std::string& text) { AddPattern(g_.IECacheList, text, false); }
void TFrmie::AddIECookiePattern(const std::string& text) {
  AddPattern(g_.IECookieList, text, false);
}
void TFrmie::AddIEHistoryPattern(const std::string& text) {
  AddPattern(g_.IEHistoryList, text, false);
}

void TFrmie::AddContentSubfolders(const std::string& folder) {
  const std::string base = text::AddTrailingBackslash(FoldBackslashes(folder));
  if (text::Upper(base).find(kContentIE5Marker) == std::string::npos) return;
  // Judged once here: no sub-folder of a folder the guard lets pass holds
  // a kept folder, and links are not taken.
  if (g_.Guard().Refused(base)) return;
  auto listing = p_.fs.FindFirst(base + "*.*", platform::kFindAnyFile);
  if (!listing) return;
  int taken = 0;
  platform::FindData entry;
  while (taken < kContentSubfolderLimit && listing->Next(entry)) {
    if (IsDotEntry(entry.name) || !(entry.attributes & platform::kAttrDirectory)) continue;
    // A link out of the cache would make the cleanup delete elsewhere.
    if (entry.attributes & platform::kAttrReparsePoint) continue;
    if (text::Upper(entry.name) == "CONTENT.IE5") continue;
    AddPattern(g_.IECacheList, base + entry.name + "\\*.*", true);
    ++taken;
  }
}

void TFrmie::AddCacheFolder(const std::string& folder) {
  AddContentSubfolders(folder);
  AddIECachePattern(folder + "index.dat");
}

// ---- The walker --------------------------------------------------------------

void TFrmie::CountIEFiles(const std::string& pattern) {
  Walk(pattern, text::ExtractFilePath(pattern), sweep::Mode::kCount, false);
}

void TFrmie::DeleteIEFiles(const std::string& pattern, const std::string& folder, bool spare_kept) {
  if (g_.Guard().Refused(folder)) return;
  Walk(pattern, folder, sweep::Mode::kDelete, spare_kept);
}

void TFrmie::Walk(const std::string& pattern, const std::string& folder, sweep::Mode mode,
                  bool spare_kept) {
  sweep::PatternSweep pass(p_.fs);
  pass.Uncounted = [](const platform::FindData& e) {
    return text::EqualsNoCase(e.name, "DESKTOP.INI");
  };
  if (spare_kept)
    pass.Spared = [this](const platform::FindData& e) { return IsKeptCookie(e.name); };
  if (g_.settings.Wipe) pass.BeforeDelete = [this](const std::string& path) { g_.WipeFile(path); };
  pass.NotDeleted = [this](const platform::FindData& e, const std::string& path) {
    // Index files Internet Explorer holds open go at the next start.
    if (!path.empty() && IsIndexFile(text::Upper(e.name))) {
      locked_ = true;
      QueueLockedFile(path);
    } else {
      ++failed_count_;
    }
  };
  (mode == sweep::Mode::kCount ? run_ : deleted_) += pass.Run(pattern, folder, mode);
}

void TFrmie::QueueLockedFile(const std::string& path) {
  const std::string full = RemoveFirstDoubledBackslash(path);
  auto command = BootDeleteCommand(p_.fs.ShortPath(full), full);
  // The batch file is written in the OEM code page: a name it cannot hold
  // would delete another file or none.
  if (command && p_.system.OemText(*command)) g_.LockedFiles.AddUnique(std::move(*command));
}

core::SurveyFigures TFrmie::CountList(const core::FixedList<core::kIEListSize>& list) {
  run_ = {};
  if (!text::Trim(list[1]).empty()) {
    for (int i = 1; i <= core::kIEListSize && !list[i].empty(); ++i) CountIEFiles(list[i]);
  }
  return {run_.count, run_.bytes};
}

// ---- Survey ------------------------------------------------------------------

void TFrmie::FillHistoryTables() {
  history_table1_.fill({});
  history_table2_.fill({});
  auto fill = [this](Table& table, const std::string& pattern, const std::string& parent,
                     auto&& wanted) {
    auto listing = p_.fs.FindFirst(pattern, platform::kFindAnyFile);
    if (!listing) return;
    size_t n = 0;
    platform::FindData entry;
    while (n < table.size() && listing->Next(entry)) {
      if (IsDotEntry(entry.name) || !wanted(entry)) continue;
      table[n++] = parent + entry.name;
    }
  };
  constexpr uint32_t kDir = platform::kAttrDirectory;
  constexpr uint32_t kSystemDir = platform::kAttrDirectory | platform::kAttrSystem;
  fill(history_table1_, shell_history_ + "*.*", shell_history_ + "\\",
       [](const platform::FindData& e) { return e.attributes == kSystemDir; });
  // The period folders lie inside History.IE5, and are recorded there.
  const std::string ie5 = shell_history_ + "History.IE5\\";
  fill(history_table2_, ie5 + "*.*", ie5, [](const platform::FindData& e) {
    return text::Upper(e.name).find("MSHIST") != std::string::npos &&
           (e.attributes == kDir || e.attributes == kSystemDir);
  });
  for (const Table* table : {&history_table1_, &history_table2_}) {
    const std::string& first = table->front();
    if (first.empty() || first == " ") continue;
    for (const std::string& entry : *table) {
      if (entry.empty()) continue;
      AddIEHistoryPattern(text::AddTrailingBackslash(RemoveFirstDoubledBackslash(entry)) +
                          "index.dat");
    }
  }
}

void TFrmie::FormCreate() {
  auto& reg = p_.registry;

  // 1. The legacy folders below the Windows directory.
  windows_dir_ = g_.WindowsDir.empty() ? g_.GetWindowsDir() : g_.WindowsDir;
  legacy_cookies_ = windows_dir_ + "\\cookies\\";
  for (size_t i = 0; i < legacy_caches_.size(); ++i) {
    legacy_caches_[i] = windows_dir_ + "\\temporary internet files\\cache" + Num(int64_t(i) + 1);
  }

  // 2. A fresh start.
  cookies_ = cache_ = history_ = total_ = {};
  g_.LockedFiles.Clear();
  history_table1_.fill({});
  history_table2_.fill({});
  g_.IECacheList.Clear();
  g_.IECookieList.Clear();
  g_.IEHistoryList.Clear();
  shell_cache_.clear();
  shell_cookies_.clear();
  shell_history_.clear();
  special_cookies_.clear();
  special_cache_.clear();

  // 3. The shell's own folders, through the function looked up at run time.
  if (!p_.shell.HasSpecialFolderFunction(g_.SystemDir)) {
    g_.SpecialFolderMissing = true;
  } else {
    g_.SpecialFolderMissing = false;
    special_cookies_ =
        p_.shell.SpecialFolder(g_.SystemDir, platform::csidl::kCookies, false).value_or("");
    special_cache_ =
        p_.shell.SpecialFolder(g_.SystemDir, platform::csidl::kInternetCache, false).value_or("");
    AddContentSubfolders(special_cache_);
    if (!special_cache_.empty()) AddContentSubfolders(special_cache_ + "\\content.ie5");
  }

  // 4. Explorer's Shell Folders.
  auto shell_folder = [&](std::string_view value) {
    auto key =
        reg.Open(platform::Hive::kCurrentUser, kShellFoldersKey, false, platform::Access::kRead);
    if (!key) return std::string();
    std::string folder = text::Trim(key->ReadString(value).value_or(""));
    return text::AddTrailingBackslash(folder);
  };
  shell_cache_ = shell_folder("Cache");
  if (!shell_cache_.empty()) {
    if (p_.fs.IsFolder(shell_cache_ + "content.ie5\\")) shell_cache_ += "content.ie5\\";
    AddCacheFolder(shell_cache_);
  }
  shell_cookies_ = shell_folder("Cookies");
  shell_history_ = shell_folder("History");

  // 5. The cache path Internet Explorer itself names.
  {
    std::string directory;
    if (auto key = reg.Open(platform::Hive::kLocalMachine, kCachePathsKey, false,
                            platform::Access::kRead)) {
      directory = text::Trim(key->ReadString("Directory").value_or(""));
    }
    if (!directory.empty()) AddCacheFolder(text::AddTrailingBackslash(directory));
  }

  // 6.-8. The folders of older versions.
  if (p_.fs.IsFolder(kWindowsContentIE5)) AddCacheFolder(std::string(kWindowsContentIE5));
  const std::string temp_ie5 = windows_dir_ + "\\temp\\temporary internet files\\content.ie5\\";
  if (p_.fs.IsFolder(temp_ie5)) AddCacheFolder(temp_ie5);
  for (const std::string& legacy : legacy_caches_) AddIECachePattern(legacy + "\\*.*");

  // 9. Content.IE5 folders the drive scan recorded.
  const sweep::ScanRecords content_folders(p_.ini, g_.ScanResultsFile, "HI24");
  for (int n = 1; n <= kScanSectionSize; ++n) {
    if (content_folders[n].empty()) break;
    const std::string value = text::AddTrailingBackslash(content_folders[n]);
    AddIECachePattern(value + "INDEX.DAT");
    AddContentSubfolders(value);
  }

  // 10. Cache figures.
  cache_ = CountList(g_.IECacheList);

  // 11. Cookies.
  AddIECookiePattern(legacy_cookies_ + "*.*");
  AddIECookiePattern(windows_dir_ + "\\temp\\cookies\\*.*");
  if (!shell_cookies_.empty()) AddIECookiePattern(shell_cookies_ + "*.*");
  if (!special_cookies_.empty()) AddIECookiePattern(special_cookies_ + "\\*.*");
  cookies_ = CountList(g_.IECookieList);

  // 12. History.
  if (!shell_history_.empty()) {
    AddIEHistoryPattern(shell_history_ + "*.*");
    FillHistoryTables();
  }
  AddIEHistoryPattern(windows_dir_ + "\\history\\*.*");
  AddIEHistoryPattern(windows_dir_ + "\\temp\\history\\history.ie5\\index.dat");
  history_ = CountList(g_.IEHistoryList);

  // 13. Totals and the summary.
  ShowIESummary();
}

void TFrmie::ShowIESummary() {
  total_ = ShowSurveySummary({label1, Label2, Label3, Label4}, "Internet Explorer", history_,
                             cookies_, cache_);
}

// ---- Cleanups ----------------------------------------------------------------

void TFrmie::Clean(const Category& c) {
  deleted_ = {};
  failed_count_ = 0;
  if (c.spare_kept) LoadKeptCookies();
  locked_ = false;

  const auto& list = g_.*c.list;
  if (!text::Trim(list[1]).empty()) {
    for (int i = 1; i <= core::kIEListSize && !list[i].empty(); ++i) {
      DeleteIEFiles(list[i], text::ExtractFilePath(list[i]), c.spare_kept);
    }
  }

  core::SurveyFigures& figures = this->*c.figures;
  std::string result;
  if (locked_) {
    result = c.locked_text;
  } else if (failed_count_ > 0) {
    // Files that could not be deleted are not reported as deleted.
    result = Num(deleted_.count) + " out of " + Num(deleted_.count + failed_count_) +
             " files have been deleted. ";
  } else if (c.slot == core::Slot::kIECookies) {
    result = deleted_.count == figures.files
                 ? "All files have been deleted. ALL" + Num(deleted_.count) + " were cleaned."
                 : "All files have been deleted.  Note that you may have some cookies saved, "
                   "and therefore not deleted.";
  } else if (c.slot == core::Slot::kIECache) {
    result = std::string(kAllDeleted) + " ";
  } else {
    result = kAllDeleted;
  }
  if (!locked_ || CollectResults()) g_.SetResult(c.slot, result);

  if (g_.AutoCleanup) return;
  figures.files = std::max<int64_t>(0, figures.files - deleted_.count);
  figures.bytes = std::max<int64_t>(0, figures.bytes - deleted_.bytes);
  ShowIESummary();
}

void TFrmie::CleanIECookies() {
  Clean({&core::Uglobalvars::IECookieList, &TFrmie::cookies_, core::Slot::kIECookies, true,
         "All files have been deleted except for 1 or more COOKIE index files, which are "
         "LOCKED."});
}

void TFrmie::CleanIEHistory() {
  Clean({&core::Uglobalvars::IEHistoryList, &TFrmie::history_, core::Slot::kIEHistory, false,
         "All files have been deleted except for 1 or more HISTORY index files, which are "
         "LOCKED."});
}

void TFrmie::CleanIECache() {
  Clean({&core::Uglobalvars::IECacheList, &TFrmie::cache_, core::Slot::kIECache, false,
         "All files have been deleted except for 1 or more CACHE index files, which are "
         "LOCKED."});
}

// ---- Cookie files and the keep list ------------------------------------------

void TFrmie::BuildCookieFileList() {
  cookie_files_.Clear();
  cookie_file_count_ = 0;
  const auto& list = g_.IECookieList;
  if (text::Trim(list[1]).empty()) return;
  for (int i = 1; i <= core::kIEListSize && !list[i].empty(); ++i) {
    auto listing = p_.fs.FindFirst(list[i], platform::kFindAnyFile);
    if (!listing) continue;
    const std::string folder = text::ExtractFilePath(list[i]);
    platform::FindData entry;
    while (cookie_file_count_ < kCookieFileListSize && listing->Next(entry)) {
      if (IsDotEntry(entry.name) || text::Upper(entry.name) == "INDEX.DAT") continue;
      cookie_files_.Set(++cookie_file_count_, folder + entry.name);
    }
  }
}

std::vector<std::string> ReadKeptCookies(platform::Ini& ini, const std::string& scan_file) {
  std::vector<std::string> names;
  for (int n = 1; n <= kKeptCookiesSize; ++n) {
    std::string name =
        text::Trim(ini.ReadString(scan_file, kKeepListSection, NumberedKey(kKeepListKey, n), ""));
    if (name.empty()) break;
    names.push_back(std::move(name));
  }
  return names;
}

void TFrmie::LoadKeptCookies() {
  kept_cookies_.Clear();
  int n = 0;
  for (std::string& name : ReadKeptCookies(p_.ini, g_.ScanResultsFile))
    kept_cookies_.Set(++n, std::move(name));
}

bool TFrmie::IsKeptCookie(const std::string& name) const {
  const std::string wanted = text::Upper(text::Trim(name));
  for (int n = 1; n <= kKeptCookiesSize; ++n) {
    const std::string kept = text::Trim(kept_cookies_[n]);
    if (kept.empty()) return false;
    if (text::Upper(kept) == wanted) return true;
  }
  return false;
}

}  // namespace browsers
