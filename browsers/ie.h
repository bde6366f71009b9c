// The Internet Explorer module, TFrmie ("Vostrel (IE)"): finds Internet
// Explorer's history, cookie and cache files, counts them and deletes them
// on request. The window is created once, hidden, by the main window and
// never shown; its creation runs the survey, which turns every place where
// Internet Explorer keeps these files (special folders, Shell Folders, the
// cache path, the legacy folders, the drive scan's records) into entries of
// the three shared pattern lists and counts the files they match.
//
// The three cleanup routines walk the same patterns with the same walker
// in deleting mode, so what the survey counted and what a cleanup removes
// cannot drift apart. Each one lowers the figures by what it deleted and
// leaves its result text in the shared slot. Index files Internet Explorer
// keeps open are queued as boot-cleanup commands (the shared LockedFiles
// list), which the main window writes out when it closes. Kept cookies
// (the cookie saver's keep list) are spared by the cookie cleanup.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/fixed_list.h"
#include "core/modules.h"
#include "core/sweep/sweep.h"
#include "core/uglobalvars.h"
#include "platform/filesystem.h"
#include "platform/ini.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace browsers {

inline constexpr int kIEHistoryTableSize = 25;
inline constexpr int kKeptCookiesSize = 200;
inline constexpr int kCookieFileListSize = 200;
// Content.IE5 sub-folders taken from one folder.
inline constexpr int kContentSubfolderLimit = 600;

// The boot-cleanup command that deletes exactly one file: "Del " and the
// path in double quotes, every "%" doubled so the command interpreter does
// not expand it (blanks, "&", "^", "(" and ")" are plain inside quotes).
// The short path is used when there is one, else the long path (8.3 names
// can be turned off). Nullopt for a path no command can name safely: one
// holding a wildcard, a quote or a control character, or one that is not
// the full path of a file ("C:", a relative path, a trailing separator, a
// "." or ".." component, "/", "<", ">", "|").
std::optional<std::string> BootDeleteCommand(const std::string& short_path,
                                             const std::string& long_path);

// The cookie saver's keep list in the scan-results file: section "UCKK5",
// keys "CKK1" to "CKK200".
inline constexpr std::string_view kKeepListSection = "UCKK5";
inline constexpr std::string_view kKeepListKey = "CKK";

// The keep list as stored: the trimmed values from "CKK1" on, up to the
// first empty one, at most 200.
std::vector<std::string> ReadKeptCookies(platform::Ini& ini, const std::string& scan_file);

// Upper-cases a pattern-list entry and folds doubled backslashes after a
// leading "\\" (a share), so that one folder reached through two sources
// gives the same text.
std::string NormalIEPattern(const std::string& text);

class TFrmie : public core::BrowserModule {
 public:
  explicit TFrmie(core::Uglobalvars& g);

  // ---- What other windows use -----------------------------------------

  core::SurveyFigures CookieFigures() const override { return cookies_; }
  core::SurveyFigures CacheFigures() const override { return cache_; }
  core::SurveyFigures HistoryFigures() const override { return history_; }
  core::SurveyFigures TotalFigures() const override { return total_; }
  void CleanCookies() override { CleanIECookies(); }
  void CleanHistory() override { CleanIEHistory(); }
  void CleanCache() override { CleanIECache(); }

  // The cleanup routines: no arguments, no result, never fail loudly.
  void CleanIECookies();
  void CleanIEHistory();
  void CleanIECache();

  // The current cookie files (full paths, index files left out), at most
  // 200, for the cookie saver.
  void BuildCookieFileList();
  const core::FixedList<kCookieFileListSize>& CookieFileList() const { return cookie_files_; }
  int CookieFileCount() const { return cookie_file_count_; }

  // The cookie saver's keep list, read from the scan-results file.
  void LoadKeptCookies();
  const core::FixedList<kKeptCookiesSize>& KeptCookies() const { return kept_cookies_; }
  // Whether a file name is on the keep list (blanks and letter case
  // ignored).
  bool IsKeptCookie(const std::string& name) const;

  // Adds a text to one pattern list: blank texts and patterns in a folder
  // the shared guard refuses are ignored, the text is upper-cased, an equal
  // entry stops it and a full list drops it.
  void AddIECachePattern(const std::string& text);
  void AddIECookiePattern(const std::string& text);
  void AddIEHistoryPattern(const std::string& text);
  // Adds the cache sub-folders of one Content.IE5 folder to the cache list.
  void AddContentSubfolders(const std::string& folder);

  // Adds the files matching a pattern to the running survey counters.
  void CountIEFiles(const std::string& pattern);
  // Deletes the files matching one pattern; `folder` is the pattern's
  // folder with its trailing backslash. A folder the guard refuses is left
  // alone.
  void DeleteIEFiles(const std::string& pattern, const std::string& folder, bool spare_kept);

  // Recomputes the totals and rewrites the four summary lines.
  void ShowIESummary();

  // What the last survey and cleanup left, for tests and neighbours.
  const std::string& ShellCache() const { return shell_cache_; }
  const std::string& ShellCookies() const { return shell_cookies_; }
  const std::string& ShellHistory() const { return shell_history_; }
  const std::string& SpecialCookieFolder() const { return special_cookies_; }
  const std::string& SpecialCacheFolder() const { return special_cache_; }
  const std::string& HistoryTable1(int i) const { return TableEntry(history_table1_, i); }
  const std::string& HistoryTable2(int i) const { return TableEntry(history_table2_, i); }
  int64_t DeletedCount() const { return deleted_.count; }
  int64_t DeletedBytes() const { return deleted_.bytes; }
  int64_t FailedCount() const { return failed_count_; }
  bool LockedFlag() const { return locked_; }

  // ---- Controls, in layout order --------------------------------------

  ui::Panel Panel1{*this, "Panel1", nullptr, {8, 8, 584, 84}};
  ui::Label label1{*this, "label1", &Panel1, {8, 6, 568, 16}};
  ui::Label Label2{*this, "Label2", &Panel1, {8, 24, 568, 16}};
  ui::Label Label3{*this, "Label3", &Panel1, {8, 42, 568, 16}};
  ui::Label Label4{*this, "Label4", &Panel1, {8, 60, 568, 16}};

  // Runs once when the window is created: the survey.
  void FormCreate();

 private:
  using Table = std::array<std::string, kIEHistoryTableSize>;
  struct Category;

  static const std::string& TableEntry(const Table& t, int i);
  // The one pass behind CountIEFiles and DeleteIEFiles.
  void Walk(const std::string& pattern, const std::string& folder, sweep::Mode mode,
            bool spare_kept);
  void QueueLockedFile(const std::string& path);
  // Counts every entry of a list into the running counters and returns
  // them.
  core::SurveyFigures CountList(const core::FixedList<core::kIEListSize>& list);
  void Clean(const Category& category);
  // `judged`: the folder has passed the guard already.
  void AddPattern(core::FixedList<core::kIEListSize>& list, const std::string& text, bool judged);
  // Adds Content.IE5 sub-folders and the index file of one cache folder
  // (ending in a backslash).
  void AddCacheFolder(const std::string& folder);
  void FillHistoryTables();

  core::Uglobalvars& g_;
  platform::Platform& p_;

  core::SurveyFigures cookies_, cache_, history_, total_;
  // Running survey counters.
  sweep::Tally run_;
  // Deletion counters of the current cleanup.
  sweep::Tally deleted_;
  int64_t failed_count_ = 0;
  bool locked_ = false;

  std::string windows_dir_;
  std::string legacy_cookies_;
  std::array<std::string, 4> legacy_caches_;
  std::string shell_cache_, shell_cookies_, shell_history_;
  std::string special_cookies_, special_cache_;
  Table history_table1_, history_table2_;

  core::FixedList<kKeptCookiesSize> kept_cookies_;
  core::FixedList<kCookieFileListSize> cookie_files_;
  int cookie_file_count_ = 0;
};

}  // namespace browsers
