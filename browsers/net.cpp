#include "browsers/net.h"

#include <algorithm>
#include <string_view>

#include "browsers/summary.h"
#include "core/sweep/sweep.h"
#include "platform/text.h"

namespace browsers {

using sweep::IsAbsolutePath;
using sweep::Num;

namespace {

constexpr const char* kCaption = "Vostrel (Netscape)";

// The folder with exactly one trailing backslash.
std::string OneTrailingBackslash(const std::string& folder) {
  std::string out = folder;
  while (!out.empty() && out.back() == '\\') out.pop_back();
  return out + "\\";
}

bool SameFolder(const std::string& a, const std::string& b) {
  return text::EqualsNoCase(OneTrailingBackslash(text::Trim(a)),
                            OneTrailingBackslash(text::Trim(b)));
}

}  // namespace

std::string HashedCacheFolder(int i) {
  constexpr const char* kHex = "0123456789ABCDEF";
  return {kHex[(i >> 4) & 0xF], kHex[i & 0xF]};
}

// The history or cookie files of every source: the folder the Navigator
// settings name, each Navigator profile, the scanned files and the one
// Firefox database.
struct TFrmnet::FileKind {
  const char* name;
  std::string NetscapeUsers::*registry_dir;
  core::FixedList<core::kNetListSize> core::Uglobalvars::*scanned;
  std::string core::Uglobalvars::*firefox_file;
  void (*drop)(core::Uglobalvars&, const std::string&);
};

const TFrmnet::FileKind TFrmnet::kHistoryFiles{
    "netscape.hst", &NetscapeUsers::NetHistoryDir, &core::Uglobalvars::NetHistoryFiles,
    &core::Uglobalvars::FFFormHistoryFile, &DropScannedHistoryFile};
const TFrmnet::FileKind TFrmnet::kCookieFiles{
    "cookies.txt", &NetscapeUsers::NetCookieDir, &core::Uglobalvars::NetCookieFiles,
    &core::Uglobalvars::FFCookieFile, &DropScannedCookieFile};

TFrmnet::TFrmnet(core::Uglobalvars& g)
    : core::BrowserModule(g.Windows(), "Frmnet", kCaption, 600, 100), g_(g), p_(g.Platform()) {
  const ui::Font fixed{"Courier New", 8, false, false, false};
  for (ui::Label* line : {&Label1, &Label2, &Label3, &Label4}) line->SetFont(fixed);
  OnCreate = [this] { FormCreate(); };
}

// ---- Cache folders -----------------------------------------------------------

void TFrmnet::AddNetCacheFolder(const std::string& folder) {
  const std::string trimmed = text::Trim(folder);
  if (trimmed.empty()) return;
  const std::string entry = OneTrailingBackslash(trimmed);
  // Cleaning a root, a relative folder or one of Windows or the user would
  // delete every file there.
  if (g_.Guard().Refused(entry)) return;
  cache_list_.AddUnique(entry, [&](const std::string& e) { return text::EqualsNoCase(e, entry); });
}

// ---- The walker --------------------------------------------------------------

void TFrmnet::CountNetFiles(const std::string& pattern) {
  Walk(pattern, text::ExtractFilePath(pattern), sweep::Mode::kCount);
}

void TFrmnet::DeleteNetFiles(const std::string& pattern, const std::string& folder) {
  Walk(pattern, folder, sweep::Mode::kDelete);
}

void TFrmnet::Walk(const std::string& pattern, const std::string& folder, sweep::Mode mode) {
  sweep::PatternSweep pass(p_.fs);
  if (g_.settings.Wipe) pass.BeforeDelete = [this](const std::string& path) { g_.WipeFile(path); };
  (mode == sweep::Mode::kCount ? found_ : deleted_) += pass.Run(pattern, folder, mode);
}

void TFrmnet::WalkFile(const std::string& path, sweep::Mode mode) {
  const std::string file = text::Trim(path);
  if (file.empty() || text::HasWildcards(file) || !IsAbsolutePath(file)) return;
  Walk(file, text::ExtractFilePath(file), mode);
}

void TFrmnet::WalkCache(sweep::Mode mode) {
  for (int i = 1; i <= kNetCacheListSize; ++i) {
    const std::string& entry = cache_list_[i];
    if (entry.empty()) continue;
    if (p_.fs.IsFolder(entry + "00")) {
      // The hashed layout: only its 32 sub-folders hold cache files. One
      // that is a junction or link leads out of the cache: not entered.
      for (int h = 0; h < kHashedCacheFolders; ++h) {
        const std::string sub = entry + HashedCacheFolder(h) + "\\";
        const auto attributes = p_.fs.GetAttributes(sub);
        if (attributes && (*attributes & platform::kAttrReparsePoint)) continue;
        Walk(sub + "*.*", sub, mode);
      }
    } else {
      Walk(entry + "*.*", entry, mode);
    }
  }
}

void TFrmnet::WalkNamedFiles(const FileKind& kind, sweep::Mode mode) {
  const bool survey = mode == sweep::Mode::kCount;
  const std::string& registry_dir = users_.*kind.registry_dir;
  if (!text::Trim(registry_dir).empty()) {
    const std::string file = registry_dir + kind.name;
    if (survey) kind.drop(g_, file);
    WalkFile(file, mode);
  }
  for (int i = 0; i <= users_.NetLastUser; ++i) {
    const std::string& dir = users_.NetUserDirs[static_cast<size_t>(i)];
    if (!UsableUserDir(dir)) continue;
    // The profile the Navigator settings name was taken above.
    if (text::EqualsNoCase(dir + "\\", registry_dir)) continue;
    const std::string file = dir + "\\" + kind.name;
    if (survey) kind.drop(g_, file);
    WalkFile(file, mode);
  }
  const auto& scanned = g_.*kind.scanned;
  for (int n = 1; n <= core::kNetListSize; ++n) {
    if (!text::Trim(scanned[n]).empty()) WalkFile(scanned[n], mode);
  }
  WalkFile(g_.*kind.firefox_file, mode);
}

core::SurveyFigures TFrmnet::TakeFound() {
  core::SurveyFigures f{found_.count, found_.bytes};
  found_ = {};
  return f;
}

// ---- Survey ------------------------------------------------------------------

void TFrmnet::FormCreate() {
  // 1. Profile discovery; a fresh start.
  ReadNetscapeUsers(p_.registry, users_);
  LoadScannedProfiles(g_);
  LoadScannedHistoryFiles(g_);
  cookies_ = cache_ = history_ = total_ = {};
  found_ = {};
  cache_list_.Clear();

  // 2. The cache folders.
  if (!text::Trim(users_.NetCacheDir).empty()) AddNetCacheFolder(users_.NetCacheDir);
  for (int i = 0; i <= users_.NetLastUser; ++i) {
    const auto at = static_cast<size_t>(i);
    const std::string& dir = users_.NetUserDirs[at];
    if (!UsableUserDir(dir)) continue;
    std::string& named = users_.NetUserCacheDirs[at];
    named = ReadPrefsCacheDir(p_.fs, dir + "\\prefs.js");
    const bool has_named = !text::Trim(named).empty();
    if (has_named && !SameFolder(named, users_.NetCacheDir)) AddNetCacheFolder(named);
    const std::string own = dir + "\\cache";
    if (!SameFolder(own, users_.NetCacheDir) && !(has_named && SameFolder(own, named))) {
      AddNetCacheFolder(own);
    }
  }
  for (int n = 1; n <= core::kNetListSize; ++n) {
    if (!g_.FFCacheDirs[n].empty()) AddNetCacheFolder(g_.FFCacheDirs[n]);
  }
  for (int n = 1; n <= core::kNetListSize; ++n) {
    const std::string& prefs = g_.NetPrefsFiles[n];
    if (prefs.empty() || text::Upper(text::FileName(prefs)) != "PREFS.JS") continue;
    AddNetCacheFolder(ReadPrefsCacheDir(p_.fs, prefs));
  }

  // 3.-5. The figures.
  WalkCache(sweep::Mode::kCount);
  cache_ = TakeFound();
  WalkNamedFiles(kHistoryFiles, sweep::Mode::kCount);
  history_ = TakeFound();
  WalkNamedFiles(kCookieFiles, sweep::Mode::kCount);
  cookies_ = TakeFound();

  // 6. Totals and the summary.
  ShowNetSummary();
}

void TFrmnet::ShowNetSummary() {
  total_ =
      ShowSurveySummary({Label1, Label2, Label3, Label4}, "Netscape", history_, cookies_, cache_);
}

// ---- Cleanups ----------------------------------------------------------------

void TFrmnet::Finish(core::SurveyFigures& figures, core::Slot slot, const char* text) {
  if (deleted_.count != figures.files) {
    g_.SetResult(slot, Num(deleted_.count) + " out of " + Num(figures.files) + " total " + text);
  } else {
    g_.SetResult(slot, "All files have been deleted.");
  }
  if (g_.AutoCleanup) return;
  figures.files = std::max<int64_t>(0, figures.files - deleted_.count);
  figures.bytes = std::max<int64_t>(0, figures.bytes - deleted_.bytes);
  ShowNetSummary();
}

void TFrmnet::CleanNetCache() {
  deleted_ = {};
  WalkCache(sweep::Mode::kDelete);
  Finish(cache_, core::Slot::kNetCache, "Netscape cache files have been deleted. ");
}

void TFrmnet::CleanNetHistory() {
  deleted_ = {};
  WalkNamedFiles(kHistoryFiles, sweep::Mode::kDelete);
  Finish(history_, core::Slot::kNetHistory, "Netscape history files have been deleted. ");
}

void TFrmnet::CleanNetCookies() {
  deleted_ = {};
  WalkNamedFiles(kCookieFiles, sweep::Mode::kDelete);
  Finish(cookies_, core::Slot::kNetCookies, "Netscape cookie files have been deleted. ");
}

}  // namespace browsers
