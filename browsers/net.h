// The Netscape/Firefox module, TFrmnet ("Vostrel (Netscape)"): counts and
// deletes the history, cookie and cache files of Netscape Navigator,
// Mozilla and Firefox (before the places database). The window is created
// once, hidden, by the main window and never shown; its creation runs the
// survey: the profile discovery (netprofiles.h), the list of cache folders
// and the counts.
//
// Counting and deleting share one walker with a mode flag, and each
// category's files are visited by one routine in both modes, so a cleanup
// removes what the survey counted. A cache folder the shared folder guard
// refuses (a drive or share root, a folder of Windows or the user, a
// relative path, however spelled) is never taken: cleaning it would delete
// every file there. Targets that should name one file but hold a wildcard are
// skipped for the same reason.
#pragma once

#include <cstdint>
#include <string>

#include "browsers/netprofiles.h"
#include "core/fixed_list.h"
#include "core/modules.h"
#include "core/sweep/sweep.h"
#include "core/uglobalvars.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace browsers {

inline constexpr int kNetCacheListSize = 600;
// Hashed caches keep their files in the sub-folders "00" to "1F".
inline constexpr int kHashedCacheFolders = 32;

// The name of hashed cache sub-folder i (0..31): "00" ... "1F".
std::string HashedCacheFolder(int i);

class TFrmnet : public core::BrowserModule {
 public:
  explicit TFrmnet(core::Uglobalvars& g);

  // ---- What other windows use -----------------------------------------

  core::SurveyFigures CookieFigures() const override { return cookies_; }
  core::SurveyFigures CacheFigures() const override { return cache_; }
  core::SurveyFigures HistoryFigures() const override { return history_; }
  core::SurveyFigures TotalFigures() const override { return total_; }
  void CleanCookies() override { CleanNetCookies(); }
  void CleanHistory() override { CleanNetHistory(); }
  void CleanCache() override { CleanNetCache(); }

  // The cleanup routines: no arguments, no result, never fail loudly. The
  // result slot is always written.
  void CleanNetCache();
  void CleanNetCookies();
  void CleanNetHistory();

  // The cache folders (each ending in one backslash), for the cache viewer.
  const core::FixedList<kNetCacheListSize>& NetCacheList() const { return cache_list_; }
  // Adds a cache folder: blank texts and folders the guard refuses are
  // ignored; an equal entry (letter case ignored) stops it; a full list
  // drops it.
  void AddNetCacheFolder(const std::string& folder);

  // Adds the entries matching a pattern to the found counters.
  void CountNetFiles(const std::string& pattern);
  // Deletes the files matching a pattern; `folder` ends in a backslash.
  void DeleteNetFiles(const std::string& pattern, const std::string& folder);

  // Recomputes the totals and rewrites the four summary lines.
  void ShowNetSummary();

  const NetscapeUsers& Users() const { return users_; }
  int64_t DeletedCount() const { return deleted_.count; }
  int64_t DeletedBytes() const { return deleted_.bytes; }

  // ---- Controls, in layout order --------------------------------------

  ui::Panel Panel1{*this, "Panel1", nullptr, {8, 8, 584, 84}};
  ui::Label Label1{*this, "Label1", &Panel1, {8, 6, 568, 16}};
  ui::Label Label2{*this, "Label2", &Panel1, {8, 24, 568, 16}};
  ui::Label Label3{*this, "Label3", &Panel1, {8, 42, 568, 16}};
  ui::Label Label4{*this, "Label4", &Panel1, {8, 60, 568, 16}};

  // Runs once when the window is created: the survey.
  void FormCreate();

 private:
  struct FileKind;
  static const FileKind kHistoryFiles;
  static const FileKind kCookieFiles;

  void Walk(const std::string& pattern, const std::string& folder, sweep::Mode mode);
  // One file that should be named exactly (no wildcard, a full path).
  void WalkFile(const std::string& path, sweep::Mode mode);
  // Every folder of the cache list, hashed or flat.
  void WalkCache(sweep::Mode mode);
  // The history or cookie files; counting also drops the scanned entries
  // that the registry names.
  void WalkNamedFiles(const FileKind& kind, sweep::Mode mode);
  core::SurveyFigures TakeFound();
  void Finish(core::SurveyFigures& figures, core::Slot slot, const char* text);

  core::Uglobalvars& g_;
  platform::Platform& p_;
  NetscapeUsers users_;
  core::FixedList<kNetCacheListSize> cache_list_;
  core::SurveyFigures cookies_, cache_, history_, total_;
  sweep::Tally found_;
  sweep::Tally deleted_;
};

}  // namespace browsers
