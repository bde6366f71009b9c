#include "desktop/non.h"

#include <algorithm>

#include "core/sweep/scanrecords.h"
#include "core/sweep/sweep.h"
#include "platform/text.h"

namespace desktop {

using sweep::Num;

namespace {

constexpr const char* kCaption = "Vostrel - Non Internet";

// Summary tags, in line order; the recycle line has its own two texts.
constexpr std::string_view kTagActiveX = "ACTIVEX / APPLETS    -> ";
constexpr std::string_view kTagDump = "DUMP FILES           -> ";
constexpr std::string_view kTagTemp = "TEMP FILES           -> ";
constexpr std::string_view kTagRecent = "START MENU DOCUMENTS -> ";
constexpr std::string_view kTagGarbage = "ADDITIONAL GARBAGE   -> ";
constexpr std::string_view kTagMedia = "MEDIA CACHE          -> ";
constexpr std::string_view kRecycleWaiting = "RECYCLE BIN FILES    -> Waiting to be cleaned.";
constexpr std::string_view kRecycleCleaned =
    "RECYCLE BIN FILES    -> 0 files consuming 0 bytes of storage were FOUND.";
constexpr std::string_view kNoneFound = "None found on your system.";

constexpr std::string_view kNothingDeleted = "Nothing deleted from your system.";
constexpr std::string_view kRecycleDone = "Recycle Bin has been cleaned.";
constexpr std::string_view kRecycleFailed = "Recycle Bin could not be emptied.";
constexpr std::string_view kNoneActiveX =
    "ACTIVEX/JAVA APPLETS -> There were no files found on your system.";
constexpr std::string_view kNoneDump = "DUMP FILES -> There were no files found on your system.";
constexpr std::string_view kNoneTemp = "TEMP FILES -> There were no files found on your system.";
constexpr std::string_view kNoneRecent =
    "RECENT DOC FILES -> There were no files found on your system.";
constexpr std::string_view kNoneMedia = "MEDIA CACHE -> There were no files found on your system.";
constexpr std::string_view kNoneGarbage = "There were no files found on your system.";

constexpr std::string_view kViewHeading =
    "(Your temp files are shown below. Click your view button again to toggle back to your "
    "previous view)";
constexpr std::string_view kViewEmpty =
    "Your temp files are currently empty. Otherwise the files and locations would all be shown "
    "here.";
constexpr std::string_view kViewCut = "(Only the first 50000 temp files are listed.)";
constexpr int kViewMargin = 100;

constexpr std::string_view kOrganizeCache = "\\Organize\\Cache";
constexpr std::string_view kRecentKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr std::string_view kAolKey1 = "Software\\America Online\\AOL\\CurrentVersion";
constexpr std::string_view kAolKey2 = "Software\\America Online\\America Online\\CurrentVersion";
constexpr std::string_view kInternetSettingsKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

// Help texts and hints of the category rows.
struct RowText {
  ui::Button TFrmnon::*cleanup;
  ui::Button TFrmnon::*help;
  const char* cleanup_hint;
  const char* help_text;
};

constexpr auto kRows = std::to_array<RowText>({
    {&TFrmnon::CmdActivex, &TFrmnon::CmdActivexHelp,
     "Cleanup all activex controls and java applets",
     "ActiveX and Java Applets are executable program code on your computer. These are "
     "downloaded to your pc when you visit certain websites, and as with any other executable "
     "code, they can be used in inappropriate ways. This may be one of the most important "
     "cleanups, and this option of Vostrel will safely find and remove all these code "
     "snipplets, while not affecting your normal web browsing."},
    {&TFrmnon::cmdindex, &TFrmnon::CmdDumpHelp, "Cleanup excess index files",
     "These files are automatically recreated by Windows if they are needed, so there is no "
     "need to waste the additional space until you actually need it, especially when some of "
     "these may never even be used by you! This will show you the amount of space, then allow "
     "you to safely remove the files."},
    {&TFrmnon::cmdtemp, &TFrmnon::CmdTempHelp,
     "Cleanup temp files (Click help for more information on these)",
     "This will cleanup the temp files which are located in your system defined temporary "
     "storage location. Everytime you do program installs, or anytime your pc locks up, there "
     "is the potential for garbage files to be left behind and NEVER cleaned up. This will "
     "verify how much space is being wasted and will then allow you to remove these files. "
     "Note that you can cleanup all temp files (that means garbage files which normally end "
     "with a \"tmp\" extension, or you can also check the box to clear everything in your temp "
     "storage location. Normally it is safe to clear everything, unless you have intentionally "
     "changed or tweaked your computer to store temp data elsewhere (most would never "
     "something like this, but it is possible to change your pc settings). Simply check the "
     "box, and everytime you run Vostrel, it will automatically search and load all your temp "
     "garbage data if any is found. There is even a view option next to the cleanup button, so "
     "you can view your temp files before cleaning if you wish! For additional safety, this "
     "cleanup will even add your temp files to the recycle bin for you. (Of course, you should "
     "uncheck the recycle bin cleanup if you want these files to be left there for a while).  "
     "This is an important cleanup, as this can potentially include a large volume of garbage "
     "data."},
    {&TFrmnon::cmdstart, &TFrmnon::CmdRecentHelp, "Cleanup start document file links",
     "These files are your recent history of viewed files. These show up automatically when "
     "you click \"start\", then click \"documents\". This will confirm the number of files and "
     "space, then allow you to remove the links. (The actual files are not deleted, just the "
     "document links)."},
    {&TFrmnon::Cmdrecycle, &TFrmnon::CmdRecycleHelp, "Cleanup the recycle bin",
     "These files accumulate in your delete bin whenever you delete a file. Your recycle bin "
     "can accumulate many files over time, so it is good to occasionally  clean these files "
     "out. Clicking this cleanup button will confirm, then safely clean the files from your "
     "recycle bin."},
    {&TFrmnon::CmdMCache, &TFrmnon::CmdMediaHelp, "Cleanup media cache tracks",
     "Click this button to cleanup all your media cache. This will remove the tracks from the "
     "media player that show the videos you have been viewing. These can also reoccur over "
     "time so you may see this number grow depending upon your media player settings."},
    {&TFrmnon::Cmdother, &TFrmnon::CmdOtherHelp, "Cleanup various other file types",
     "This category contains one of many additional garbage types which may or may not be "
     "found on your system. This scans several areas, looking for many different garbage files "
     "which are not included in the other cleanups. Many of these file types may also reappear "
     "over time."},
    {&TFrmnon::Cmdaol, &TFrmnon::CmdAolHelp, nullptr,
     "This category contains specific history cleanups for people using the AOL ISP service. "
     "Many history tracks on AOL are not part of the normal internet cache, cookies, or "
     "history, and must be cleaned up separately using this special cleanup button. You can "
     "also view the tracks, and you will notice the names as places you have visited while "
     "browsing within the AOL service. If you do not use AOL, then the window will be blank "
     "since their is no AOL tracks left behind on your computer."},
    {&TFrmnon::CmdCleanAll, &TFrmnon::CmdCleanAllHelp, "Automatically click all buttons at once",
     "Click this button to cleanup all items shown above instantly. Note that you can also "
     "cleanup all these items directly from the first screen by simply clicking the options "
     "shown under the \"Cleanup All\" button on the main window!"},
});
static_assert(kRows.size() == 9);

std::string FoundLine(std::string_view tag, const NonFigures& f) {
  std::string line(tag);
  if (f.count < 1) return line + std::string(kNoneFound);
  return line + Num(f.count) + " files consuming " + Num(f.bytes) + " bytes of storage were FOUND.";
}

}  // namespace

TFrmnon::TFrmnon(core::Uglobalvars& g)
    : core::NonInternetModule(g.Windows(), "Frmnon", kCaption, 640, 485),
      g_(g),
      p_(g.Platform()),
      scan_(p_.fs, p_.shell) {
  ui::Font fixed{"Courier New", 9, false, false, false};
  for (ui::Label* line :
       {&Lblactivex, &Lbldump, &Lbltemp, &Lblstart, &Lblrecycle, &Lblother, &Lblmedia}) {
    line->SetFont(fixed);
  }
  fixed.bold = true;
  Lbltotal.SetFont(fixed);
  for (const RowText& row : kRows) {
    if (row.cleanup_hint) (this->*row.cleanup).SetHint(row.cleanup_hint);
    const char* help = row.help_text;
    (this->*row.help).OnClick = [this, help] { System().Information(help); };
  }
  BitBtn1.SetHint("Toggle temp file viewing on or off");
  ListTemp.SetVisible(false);

  OnCreate = [this] { FormCreate(); };
  CmdActivex.OnClick = [this] { CmdActivexClick(); };
  cmdindex.OnClick = [this] { cmdindexClick(); };
  cmdtemp.OnClick = [this] { cmdtempClick(); };
  BitBtn1.OnClick = [this] { BitBtn1Click(); };
  cmdstart.OnClick = [this] { cmdstartClick(); };
  Cmdrecycle.OnClick = [this] { CmdrecycleClick(); };
  CmdMCache.OnClick = [this] { CmdMCacheClick(); };
  Cmdother.OnClick = [this] { CmdotherClick(); };
  Cmdaol.OnClick = [this] { CmdaolClick(); };
  CmdCleanAll.OnClick = [this] { CmdCleanAllClick(); };
  CmdReturn.OnClick = [this] { CmdReturnClick(); };
  g_.RememberSize(*this);
}

int64_t TFrmnon::TotalFiles() const {
  int64_t total = 0;
  for (const auto& f : figures_) total += f.count;
  return total;
}

int64_t TFrmnon::TotalBytes() const {
  int64_t total = 0;
  for (const auto& f : figures_) total += f.bytes;
  return total;
}

// ---- Scans ---------------------------------------------------------------

void TFrmnon::ScanPattern(const std::string& pattern, bool del) { scan_.ScanFolder(pattern, del); }

std::string TFrmnon::TempMask() const { return g_.settings.Tempall ? "*.*" : "*.tmp"; }

std::string TFrmnon::WindowsRoot() const { return text::ExtractFilePath(g_.WindowsDir); }

bool TFrmnon::RefusedFolder(const std::string& folder) const { return g_.Guard().Refused(folder); }

void TFrmnon::ScanTempFolders(bool del) {
  std::string mask = TempMask();
  std::string windows_temp = program_drive_ + "\\windows\\temp\\";
  if (!RefusedFolder(temp_folder_)) scan_.ScanTree(mask, temp_folder_, del);
  if (!text::EqualsNoCase(temp_folder_, windows_temp) && !RefusedFolder(windows_temp)) {
    scan_.ScanTree(mask, windows_temp, del);
  }
}

void TFrmnon::ScanMediaRecords(bool del) {
  const sweep::ScanRecords records(p_.ini, g_.ScanResultsFile, "MM20");
  for (int i = 1; i <= sweep::kScanSectionSize; ++i) {
    const std::string& value = records[i];
    if (value.empty()) break;
    // A recorded path is one file; a wildcard in it would widen the
    // search to files that were never recorded.
    if (text::HasWildcards(value)) continue;
    ScanPattern(value, del);
  }
}

bool TFrmnon::UsableAolCache(const std::string& cache) const {
  std::string trimmed = text::Trim(cache);
  return !trimmed.empty() && !RefusedFolder(trimmed);
}

void TFrmnon::ScanGarbage(bool del) {
  if (UsableAolCache(aol_cache1_)) ScanPattern(aol_cache1_ + "\\*.*", del);
  if (UsableAolCache(aol_cache2_) && !text::EqualsNoCase(aol_cache2_, aol_cache1_)) {
    ScanPattern(aol_cache2_ + "\\*.*", del);
  }
  ScanPattern(WindowsRoot() + "FI*.CHK", del);
}

// ---- Survey --------------------------------------------------------------

void TFrmnon::FormCreate() {
  recycle_flag_ = false;
  scan_.ResetCounters();
  auto take = [this](NonCategory c) {
    Fig(c) = {scan_.found_count, scan_.found_bytes};
    scan_.ResetCounters();
  };

  std::string fallback_recent = g_.WindowsDir + "\\recent\\*.*";
  recent_pattern_ = fallback_recent;
  if (auto key = p_.registry.Open(platform::Hive::kCurrentUser, kRecentKey, false,
                                  platform::Access::kRead)) {
    std::string recent = text::Trim(key->ReadString("Recent").value_or(""));
    if (!recent.empty()) recent_pattern_ = recent + "\\*.lnk";
  }
  ScanPattern(recent_pattern_, false);
  take(NonCategory::kRecent);

  ScanMediaRecords(false);
  take(NonCategory::kMedia);

  recycled_pattern_ = WindowsRoot() + "recycled\\*.*";
  ScanPattern(recycled_pattern_, false);
  take(NonCategory::kRecycled);

  ScanPattern(g_.WindowsDir + "\\minidump\\m*.dmp", false);
  ScanPattern(g_.WindowsDir + "\\memory.dmp", false);
  take(NonCategory::kDump);

  std::string program = p_.system.ProgramPath();
  size_t colon = program.find(':');
  program_drive_ = colon == std::string::npos ? std::string() : program.substr(0, colon + 1);
  temp_folder_ = p_.fs.TempPath();
  if (temp_folder_.empty()) temp_folder_ = program_drive_ + "\\windows\\temp\\";
  ScanTempFolders(false);
  take(NonCategory::kTemp);

  aol_cache1_.clear();
  aol_cache2_.clear();
  if (auto key = p_.registry.Open(platform::Hive::kLocalMachine, kAolKey1, false,
                                  platform::Access::kRead)) {
    aol_cache1_ = key->ReadString("AppPath").value_or("") + std::string(kOrganizeCache);
  }
  if (auto key = p_.registry.Open(platform::Hive::kLocalMachine, kAolKey2, false,
                                  platform::Access::kRead)) {
    aol_cache2_ = key->ReadString("AppPath").value_or("") + std::string(kOrganizeCache);
  }
  ScanGarbage(false);
  take(NonCategory::kGarbage);

  activex_folder_.clear();
  if (auto key = p_.registry.Open(platform::Hive::kLocalMachine, kInternetSettingsKey, false,
                                  platform::Access::kRead)) {
    activex_folder_ = text::Trim(key->ReadString("ActiveXCache").value_or(""));
  }
  if (!activex_folder_.empty() && !RefusedFolder(activex_folder_)) {
    ScanPattern(activex_folder_ + "\\*.*", false);
  }
  take(NonCategory::kActiveX);

  first_summary_ = true;
  ShowSummary();
}

void TFrmnon::ShowSummary() {
  Lblactivex.SetCaption(FoundLine(kTagActiveX, Figures(NonCategory::kActiveX)));
  Lbldump.SetCaption(FoundLine(kTagDump, Figures(NonCategory::kDump)));
  Lbltemp.SetCaption(FoundLine(kTagTemp, Figures(NonCategory::kTemp)));
  Lblstart.SetCaption(FoundLine(kTagRecent, Figures(NonCategory::kRecent)));
  Lblrecycle.SetCaption(std::string(recycle_flag_ ? kRecycleCleaned : kRecycleWaiting));
  Lblother.SetCaption(FoundLine(kTagGarbage, Figures(NonCategory::kGarbage)));
  Lblmedia.SetCaption(FoundLine(kTagMedia, Figures(NonCategory::kMedia)));
  Lbltotal.SetCaption("TOTAL FILES FOUND = " + Num(TotalFiles()) +
                      (first_summary_ ? "  TOTAL BYTES WASTED = " : "   TOTAL BYTES WASTED = ") +
                      Num(TotalBytes()));
  first_summary_ = false;
}

// ---- Cleanup routines ----------------------------------------------------

void TFrmnon::Subtract(NonCategory c) {
  NonFigures& f = Fig(c);
  f.count = std::max<int64_t>(0, f.count - scan_.deleted_count);
  f.bytes = std::max<int64_t>(0, f.bytes - scan_.deleted_bytes);
}

void TFrmnon::Finish(NonCategory c, core::Slot slot, int64_t out_of) {
  if (CollectResults()) {
    g_.SetResult(slot, Num(scan_.deleted_count) + " files out of " + Num(out_of) +
                           " files have been deleted.");
  }
  if (g_.AutoCleanup) return;
  if (c == NonCategory::kTemp) {
    Fig(c) = {};
  } else {
    Subtract(c);
  }
  ShowSummary();
}

void TFrmnon::CleanActiveX() {
  scan_.ResetCounters();
  if (!activex_folder_.empty() && !RefusedFolder(activex_folder_)) {
    ScanPattern(activex_folder_ + "\\*.*", true);
  }
  Finish(NonCategory::kActiveX, core::Slot::kActiveX, Count(NonCategory::kActiveX));
}

void TFrmnon::CleanDumpFiles() {
  scan_.ResetCounters();
  ScanPattern(g_.WindowsDir + "\\minidump\\m*.dmp", true);
  ScanPattern(g_.WindowsDir + "\\memory.dmp", true);
  Finish(NonCategory::kDump, core::Slot::kDumpFiles, Count(NonCategory::kDump));
}

void TFrmnon::CleanTempFiles() {
  scan_.ResetCounters();
  ScanTempFolders(true);
  Finish(NonCategory::kTemp, core::Slot::kTempFiles, Count(NonCategory::kTemp));
}

void TFrmnon::CleanRecentDocs() {
  scan_.ResetCounters();
  ScanPattern(recent_pattern_.empty() ? g_.WindowsDir + "\\recent\\*.*" : recent_pattern_, true);
  Finish(NonCategory::kRecent, core::Slot::kRecentDocs, Count(NonCategory::kRecent));
}

void TFrmnon::CleanJunkFiles() {
  scan_.ResetCounters();
  ScanGarbage(true);
  Finish(NonCategory::kGarbage, core::Slot::kGarbage, Count(NonCategory::kGarbage));
}

void TFrmnon::CleanMediaCache() {
  scan_.ResetCounters();
  ScanMediaRecords(true);
  if (!g_.AutoCleanup) Fig(NonCategory::kMedia) = {scan_.found_count, scan_.found_bytes};
  Finish(NonCategory::kMedia, core::Slot::kMediaCache, scan_.found_count);
}

void TFrmnon::EmptyRecycleBin() {
  recycle_flag_ = true;
  scan_.ResetCounters();
  bool emptied = p_.shell.EmptyRecycleBin(System().ApplicationWindow());
  g_.SetResult(core::Slot::kRecycleBin, emptied ? kRecycleDone : kRecycleFailed);
  // The recycled folder is empty now; its figures must not stay in the
  // totals while its line reads 0 files.
  if (emptied) Fig(NonCategory::kRecycled) = {};
}

// ---- Buttons -------------------------------------------------------------

void TFrmnon::CleanupRow(NonCategory c, core::Slot slot, std::string_view none_text,
                         void (TFrmnon::*routine)()) {
  const NonFigures& f = Figures(c);
  if (f.count < 1) {
    g_.SetResult(slot, none_text);
    return;
  }
  if (System().Confirm(Num(f.count) + " files were found on your " + "system.  This consumes " +
                       Num(f.bytes) + " bytes on your hard drive.  " +
                       "Would you like me to remove these files for you?")) {
    core::Uglobalvars::BusyScope busy(g_);
    (this->*routine)();
  } else {
    System().Information(kNothingDeleted);
  }
}

void TFrmnon::CmdActivexClick() {
  CleanupRow(NonCategory::kActiveX, core::Slot::kActiveX, kNoneActiveX, &TFrmnon::CleanActiveX);
}

void TFrmnon::cmdindexClick() {
  CleanupRow(NonCategory::kDump, core::Slot::kDumpFiles, kNoneDump, &TFrmnon::CleanDumpFiles);
}

void TFrmnon::cmdtempClick() {
  CleanupRow(NonCategory::kTemp, core::Slot::kTempFiles, kNoneTemp, &TFrmnon::CleanTempFiles);
}

void TFrmnon::cmdstartClick() {
  CleanupRow(NonCategory::kRecent, core::Slot::kRecentDocs, kNoneRecent, &TFrmnon::CleanRecentDocs);
}

void TFrmnon::CmdMCacheClick() {
  CleanupRow(NonCategory::kMedia, core::Slot::kMediaCache, kNoneMedia, &TFrmnon::CleanMediaCache);
}

void TFrmnon::CmdotherClick() {
  CleanupRow(NonCategory::kGarbage, core::Slot::kGarbage, kNoneGarbage, &TFrmnon::CleanJunkFiles);
}

void TFrmnon::CmdrecycleClick() {
  core::Uglobalvars::BusyScope busy(g_);
  EmptyRecycleBin();
}

void TFrmnon::CmdaolClick() {
  if (OnAolCleanup) OnAolCleanup();
}

void TFrmnon::CmdCleanAllClick() {
  CmdActivexClick();
  cmdindexClick();
  cmdtempClick();
  cmdstartClick();
  CmdrecycleClick();
  CmdMCacheClick();
  CmdotherClick();
  if (OnAolDeleteTracks) OnAolDeleteTracks();
}

void TFrmnon::BitBtn1Click() {
  if (ListTemp.Visible()) {
    ListTemp.SetVisible(false);
    return;
  }
  const ui::Rect panel = PnlCategories.Bounds();
  ListTemp.SetBounds({panel.left, ListTemp.Top(), panel.width, ListTemp.Height()});
  ListTemp.SetVisible(true);
  std::vector<std::string> lines{std::string(kViewHeading), "  "};
  int64_t count = Count(NonCategory::kTemp);
  int64_t shown = std::min(count, scan_.TempStored());
  for (int64_t n = 1; n <= shown; ++n) lines.push_back(scan_.TempEntry(n));
  if (count > shown) lines.emplace_back(kViewCut);
  if (lines.size() == 2) lines.emplace_back(kViewEmpty);
  ListTemp.SetItems(std::move(lines));
  ListTemp.FitHorizontalExtent(kViewMargin);
}

void TFrmnon::CmdReturnClick() { Close(); }

}  // namespace desktop
